// The add-on's lasting part: keeps the state the host tells, answers Firefox's question for
// every request, and shows the state on the toolbar button.
import {readHostMessage} from "./host_state.js";
import {guardLeaks} from "./leak_guards.js";
import {proxyFor} from "./proxy_rules.js";
import {statusView} from "./status_view.js";

const kHostName = "masqng_firefox_host";
const kReconnectDelayMs = 5000;
// Requests made before the host's first answer wait for it this long: a browser started with
// hiding on must not load its first pages unhidden.
const kFirstAnswerWaitMs = 3000;

let state = null;  // from readHostMessage; null while the host cannot be reached
let port = null;
let answered;  // settles at the host's first answer, at a lost host, or after the wait
let settleAnswered = () => {};

function expectFirstAnswer() {
  answered = new Promise((resolve) => {
    settleAnswered = resolve;
    setTimeout(resolve, kFirstAnswerWaitMs);
  });
}

function take(newState) {
  state = newState;
  settleAnswered();
  const view = statusView(state);
  browser.browserAction.setTitle({title: view.title});
  browser.browserAction.setBadgeText({text: view.badge});
  browser.browserAction.setBadgeBackgroundColor({color: view.badgeColor});
  guardLeaks(Boolean(state && state.on));
}

function connect() {
  port = browser.runtime.connectNative(kHostName);
  port.onMessage.addListener((message) => {
    const told = readHostMessage(message);
    if (told) {
      take(told);
    }
  });
  port.onDisconnect.addListener((lost) => {
    console.warn(`Masq NG: the helper for Firefox is gone: ${lost.error ? lost.error.message : "it ended"}`);
    port = null;
    take(null);
    setTimeout(() => {
      expectFirstAnswer();
      connect();
    }, kReconnectDelayMs);
  });
  port.postMessage("state");
}

browser.proxy.onRequest.addListener(async (details) => {
  await answered;
  return proxyFor(state, details.url);
}, {urls: ["<all_urls>"]});

browser.proxy.onError.addListener((error) => console.warn(`Masq NG: proxy error: ${error.message}`));

// The popup asks for the state to show; the host is asked again so that the next look is fresh.
browser.runtime.onMessage.addListener((message) => {
  if (message !== "status") {
    return undefined;
  }
  if (port) {
    port.postMessage("state");
  }
  return Promise.resolve(statusView(state));
});

expectFirstAnswer();
connect();
