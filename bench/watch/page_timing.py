#!/usr/bin/python3
"""Jumps in a watched recording, timed in headless Chromium: opens the page with
a recording's link, runs the first pass to the end (End), then presses 5 2 9 0 7
3 1 8 4 6 and times each, in the page, from the key to the state showing the
frame it lands on.

Usage: page_timing.py SITE LINK_FILE
SITE is the web build's folder (build-web); LINK_FILE holds the line that
`cairnfall-replay --recording FILE --link` prints for a recording made by the
same sources (cd build && ./cairnfall-watch-timing . 10 1 --keep FILE makes one).
"""
import functools, http.server, threading, time, sys, tempfile, json
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
site = sys.argv[1]; link = open(sys.argv[2]).read().strip().split("#watch=")[1]
class Q(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm", ".js": "text/javascript"})
    def log_message(self, *a): pass
srv = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Q, directory=site))
threading.Thread(target=srv.serve_forever, daemon=True).start()
o = webdriver.ChromeOptions(); o.binary_location = "/usr/bin/chromium"
for f in ["--headless=new", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + tempfile.mkdtemp()]: o.add_argument(f)
d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=o)
d.set_script_timeout(120)
d.get("http://127.0.0.1:%d/index.html" % srv.server_address[1])
for _ in range(200):
    time.sleep(0.3)
    try:
        if d.execute_script("return !!(window.Module && Module._cf_watch_state && document.getElementById('loading').hidden)"): break
    except Exception: pass
# In the page: press a key, then poll the state every animation frame until the position lands; time it there.
d.execute_script("""
window.__st = function () { return JSON.parse(UTF8ToString(Module._cf_watch_state())); };
window.__key = function (k) { var p = allocateUTF8(k); Module._cf_watch_key(p); Module._free(p); };
window.__jump = function (k, want, done) {
  var t = performance.now(); __key(k);
  (function poll() { var s = __st(); if (want(s)) done([performance.now() - t, s.position]); else setTimeout(poll, 1); })();
};""")
opened = d.execute_script("var p = allocateUTF8(arguments[0]); var r = Module._cf_watch_open_link(p); Module._free(p); return r;", link)
assert opened == 1, "the link did not open: " + d.execute_script("return __st().problem")
time.sleep(2)
r = d.execute_async_script("var done = arguments[0]; __jump('End', function (s) { return s.ended; }, done);")
print("first pass to the end: %.0f ms" % r[0])
times = []
for k in "5 2 9 0 7 3 1 8 4 6".split():
    want = int(k) * 10
    r = d.execute_async_script("var k = arguments[0], p = arguments[1], done = arguments[2]; var at = Math.floor(__st().duration * p / 100); __jump(k, function (s) { return s.position >= at && s.position < at + 40; }, done);", k, want)
    times.append(r[0]); print("key %s -> %d ms position %d" % (k, r[0], r[1]))
print("jumps in Chromium: mean %.1f ms, slowest %.1f ms" % (sum(times) / len(times), max(times)))
d.quit()
