import assert from "node:assert/strict";
import {test} from "node:test";

import {isBypassed, proxyFor} from "../../addon/proxy_rules.js";

const on = {on: true, label: "United States - Dallas #3", host: "127.0.0.1", port: 7070,
            bypass: ["a.example", ".b.example", "*.c.example", "10.*", "192.0.2.7", "[::1]", "<local>"],
            ignoredBypass: 0};
const tunnel = [{type: "socks", host: "127.0.0.1", port: 7070, proxyDNS: true}, null];
const direct = {type: "direct"};

test("every request goes through the tunnel with the name resolved there, unless bypassed", () => {
  const cases = [
    ["http://example.org/", tunnel],
    ["https://www.example.org:8443/x?y", tunnel],
    ["ws://example.org/socket", tunnel],
    ["http://a.example/", direct],
    ["https://deep.sub.a.example/", direct],
    ["http://A.EXAMPLE./", direct],
    ["http://nota.example/", tunnel],
    ["http://a.example.org/", tunnel],
    ["http://b.example/", direct],
    ["http://x.b.example/", direct],
    ["http://c.example/", tunnel],
    ["http://x.c.example/", direct],
    ["http://10.1.2.3/", direct],
    ["http://110.1.2.3/", tunnel],
    ["http://192.0.2.7/", direct],
    ["http://192.0.2.70/", tunnel],
    ["http://[::1]:8080/", direct],
    ["http://[::2]/", tunnel],
    ["http://intranet/", direct],
  ];
  for (const [url, expected] of cases) {
    assert.deepEqual(proxyFor(on, url), expected, url);
  }
});

test("off, unknown or lost state leaves every request to Firefox's own settings", () => {
  for (const state of [null, {on: false, reason: "cleared", problem: ""}, {on: false, reason: "invalid", problem: "x"}]) {
    assert.deepEqual(proxyFor(state, "http://example.org/"), direct);
  }
});

test("wildcards match whole names, and pattern characters in entries are taken literally", () => {
  assert.equal(isBypassed("x.c.example", ["*.c.example"]), true);
  assert.equal(isBypassed("xc.example", ["*.c.example"]), false);
  assert.equal(isBypassed("a-b.example", ["a*b.example"]), true);
  assert.equal(isBypassed("aXb.example", ["a.b.example"]), false);
  assert.equal(isBypassed("anything", []), false);
});
