// While hiding is on, Firefox is kept from what would reveal the user around the proxy: DNS
// prefetching and speculative connections (names looked up by this computer), and WebRTC
// outside the proxy. These are Firefox's own privacy settings, held by the add-on only while
// hiding is on and handed back when it is off, or when the add-on is removed.
let held = null;

export async function guardLeaks(on) {
  if (held === on) {
    return;
  }
  held = on;
  const {networkPredictionEnabled, webRTCIPHandlingPolicy} = browser.privacy.network;
  try {
    if (on) {
      await networkPredictionEnabled.set({value: false});
      await webRTCIPHandlingPolicy.set({value: "disable_non_proxied_udp"});
    } else {
      await networkPredictionEnabled.clear({});
      await webRTCIPHandlingPolicy.clear({});
    }
  } catch (error) {
    console.warn(`Masq NG: privacy settings not changed: ${error}`);  // another add-on may hold them
  }
}
