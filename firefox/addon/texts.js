// Every text the add-on shows.
export const texts = {
  onBadge: "ON",
  warningBadge: "!",
  onTitle: (label) => (label ? `Masq NG: hidden - ${label}` : "Masq NG: hidden"),
  offTitle: "Masq NG: not hidden - Firefox connects directly",
  onHeadline: "Hidden",
  offHeadline: "Not hidden",
  onDetail: (label) =>
    label ? `Firefox goes through Masq NG's node ${label}.` : "Firefox goes through Masq NG.",
  ignoredBypass: (count) =>
    count === 1 ? "1 bypass entry is not a site name and goes through Masq NG too."
                : `${count} bypass entries are not site names and go through Masq NG too.`,
  cleared: "Masq NG has turned hiding off. Firefox connects directly.",
  missing: "Masq NG is not hiding Firefox: it is not running, or not in Plugin Mode. Firefox connects directly.",
  unreadable: "Masq NG's state file cannot be read. Firefox connects directly.",
  invalid: (problem) => `Masq NG's state file is not valid (${problem}). Firefox connects directly.`,
  noHost: "Masq NG's helper for Firefox is not installed or has stopped. Firefox connects directly.",
};
