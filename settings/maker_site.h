// The maker's hosts: the directory service with its two mirrors, and the web host with the pages
// the program links to. Compiled-in defaults (settings/maker_hosts.h.in); an optional "site.ini"
// beside the executable overrides any of them, so a demo or a test can point the very binary a
// user gets at a local site:
//   [Hosts]
//   Directory=127.0.0.31
//   Mirror1=127.0.0.32
//   Mirror2=127.0.0.33
//   Web=127.0.0.31
// Each is a host name or an IPv4 address; every request goes to port 80.
#pragma once

#include <string>

#include "maker_hosts.h"

class SettingsStore;

inline constexpr char kSiteFileName[] = "site.ini";

struct MakerSite {
    std::string directoryHost = MASQ_DIRECTORY_HOST;
    std::string mirror1Host = MASQ_MIRROR1_HOST;
    std::string mirror2Host = MASQ_MIRROR2_HOST;
    std::string webHost = MASQ_WEB_HOST;
};

MakerSite LoadMakerSite(const SettingsStore& siteFile);

std::string WebsiteUrl(const MakerSite& site);
std::string ContactUrl(const MakerSite& site);
std::string WhatIsMyIpUrl(const MakerSite& site);

// The page of the maker's web site at `path` (which begins with "/").
std::string WebPageUrl(const MakerSite& site, const std::string& path);
// How to let the program through a firewall.
std::string FirewallSetupUrl(const MakerSite& site);
