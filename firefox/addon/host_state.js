// The host's messages (firefox/host/state_message.h) taken apart. The host has already
// checked the state file (only a loopback proxy, bypass entries reduced to host patterns);
// here a message only has to have the right shape, or it is not taken at all.

const kMaxLabelLength = 1024;

function isPort(value) {
  return Number.isInteger(value) && value >= 1 && value <= 65535;
}

function isStringList(value) {
  return Array.isArray(value) && value.every((entry) => typeof entry === "string");
}

// Returns {on: true, label, host, port, bypass, ignoredBypass} or {on: false, reason, problem},
// or null when `message` is no state message.
export function readHostMessage(message) {
  if (message === null || typeof message !== "object") {
    return null;
  }
  if (message.state === "on") {
    const {label, host, port, bypass, ignoredBypass} = message;
    if (typeof label !== "string" || typeof host !== "string" || !isPort(port) || !isStringList(bypass) ||
        !Number.isInteger(ignoredBypass)) {
      return null;
    }
    return {on: true, label: label.slice(0, kMaxLabelLength), host, port, bypass, ignoredBypass};
  }
  if (message.state === "off" && typeof message.reason === "string") {
    const problem = typeof message.problem === "string" ? message.problem : "";
    return {on: false, reason: message.reason, problem};
  }
  return null;
}
