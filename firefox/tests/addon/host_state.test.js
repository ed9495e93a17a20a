import assert from "node:assert/strict";
import {test} from "node:test";

import {readHostMessage} from "../../addon/host_state.js";
import {statusView} from "../../addon/status_view.js";

const onMessage = {state: "on", label: "United States - Dallas #3", host: "127.0.0.1", port: 7070,
                   bypass: ["a.example"], ignoredBypass: 0};

test("the host's messages are taken apart, and anything of another shape is not taken", () => {
  assert.deepEqual(readHostMessage(onMessage), {on: true, label: "United States - Dallas #3", host: "127.0.0.1",
                                                 port: 7070, bypass: ["a.example"], ignoredBypass: 0});
  assert.deepEqual(readHostMessage({state: "off", reason: "cleared"}), {on: false, reason: "cleared", problem: ""});
  assert.deepEqual(readHostMessage({state: "off", reason: "invalid", problem: "line 6: bad"}),
                   {on: false, reason: "invalid", problem: "line 6: bad"});
  const broken = [
    null, "state", 7, [], {}, {error: "unknown request"}, {state: "off"},
    {...onMessage, port: 0}, {...onMessage, port: 65536}, {...onMessage, port: "7070"}, {...onMessage, port: 70.5},
    {...onMessage, host: 127}, {...onMessage, bypass: "a.example"}, {...onMessage, bypass: [1]},
    {...onMessage, label: null}, {...onMessage, ignoredBypass: "0"},
  ];
  for (const message of broken) {
    assert.equal(readHostMessage(message), null, JSON.stringify(message));
  }
  assert.equal(readHostMessage({...onMessage, label: "x".repeat(5000)}).label.length, 1024);
});

test("the toolbar shows the node while hidden, and says why Firefox connects directly otherwise", () => {
  const on = statusView(readHostMessage(onMessage));
  assert.equal(on.badge, "ON");
  assert.equal(on.title, "Masq NG: hidden - United States - Dallas #3");
  assert.match(on.detail, /United States - Dallas #3/);
  assert.deepEqual(on.notes, []);
  assert.equal(statusView(readHostMessage({...onMessage, label: ""})).title, "Masq NG: hidden");
  assert.equal(statusView(readHostMessage({...onMessage, ignoredBypass: 2})).notes.length, 1);

  const off = [
    [{state: "off", reason: "cleared"}, "", /turned hiding off/],
    [{state: "off", reason: "missing"}, "", /not running/],
    [{state: "off", reason: "unreadable"}, "!", /cannot be read/],
    [{state: "off", reason: "invalid", problem: "line 5: the proxy is not on this computer"}, "!", /line 5/],
    [{state: "off", reason: "a reason of a later host"}, "!", /cannot be read/],
  ];
  for (const [message, badge, detail] of off) {
    const view = statusView(readHostMessage(message));
    assert.equal(view.badge, badge, message.reason);
    assert.equal(view.title, "Masq NG: not hidden - Firefox connects directly");
    assert.match(view.detail, detail);
  }
  const lost = statusView(null);
  assert.equal(lost.badge, "!");
  assert.match(lost.detail, /helper for Firefox/);
});
