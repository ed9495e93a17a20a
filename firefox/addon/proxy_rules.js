// Which way one request goes. While hiding is on, every request goes through the local SOCKS5
// proxy with the name resolved there (so this computer looks no name up), except the hosts of
// the bypass list; otherwise Firefox's own settings decide, which is direct unless the user
// set a proxy of their own.
//
// Bypass entries, as the host normalised them (lower case):
//   a.example        a.example and every name under it
//   .a.example       the same
//   *.a.example, 10.*  wildcards over the whole host
//   192.0.2.7, [::1] that address
//   <local>          names without a dot

const kDirect = {type: "direct"};

function wildcardPattern(entry) {
  const escaped = entry.replace(/[.+?^${}()|[\]\\]/g, "\\$&").replace(/\*/g, ".*");
  return new RegExp(`^${escaped}$`);
}

export function isBypassed(host, entries) {
  const name = host.toLowerCase().replace(/\.$/, "");
  return entries.some((entry) => {
    if (entry === "<local>") {
      return !name.includes(".") && !name.includes(":");
    }
    if (entry.includes("*")) {
      return wildcardPattern(entry).test(name);
    }
    const domain = entry.startsWith(".") ? entry.slice(1) : entry;
    return name === domain || name.endsWith(`.${domain}`);
  });
}

// The answer to proxy.onRequest for `url` under `state` (from readHostMessage, or null).
// The trailing null keeps Firefox from falling back to another way when the tunnel's proxy
// cannot be reached: the request fails rather than leave unhidden.
export function proxyFor(state, url) {
  if (!state || !state.on) {
    return kDirect;
  }
  const host = new URL(url).hostname;
  if (isBypassed(host, state.bypass)) {
    return kDirect;
  }
  return [{type: "socks", host: state.host, port: state.port, proxyDNS: true}, null];
}
