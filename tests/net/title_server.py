"""A loopback web server with the pages the title lookup meets in the wild.

Binds port 0 and prints the port it got on its first line of output.
"""
import http.server
import sys
import time

PAGES = {
    "/titled": (200, "text/html; charset=utf-8",
                "<html><head><TITLE lang=en>\n  Fractions &amp; Decimals &#8211;\tUnit&nbsp;3 \n</TITLE></head>"
                "<body><title>Second</title></body></html>".encode("utf-8")),
    "/untitled": (200, "text/html", b"<html><head></head><body>No title here</body></html>"),
    "/empty-title": (200, "text/html", b"<html><head><title>  \n </title></head></html>"),
    "/latin1": (200, "text/html; charset=ISO-8859-1", "<title>Caf\u00e9 cr\u00e8me</title>".encode("latin-1")),
    "/meta-charset": (200, "text/html",
                      b'<html><head><meta charset="windows-1252"><title>\x93Quoted\x94 \x80 sign</title></head></html>'),
    "/missing": (404, "text/html", b"<html><head><title>404 Not Found</title></head></html>"),
    "/broken": (500, "text/html", b"<html><head><title>Internal Server Error</title></head></html>"),
    "/long": (200, "text/html", ("<title>" + "word " * 100 + "</title>").encode("ascii")),
    "/huge-early": (200, "text/html", b"<title>Big page</title>" + b"x" * (2 * 1024 * 1024)),
    "/huge-late": (200, "text/html", b"x" * (2 * 1024 * 1024) + b"<title>Too far down</title>"),
}


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path == "/redirect":
            return self.redirect("/titled")
        if self.path == "/redirect-twice":
            return self.redirect("/redirect")
        if self.path == "/redirect-loop":
            return self.redirect("/redirect-loop")
        path = self.path
        if path == "/slow":
            time.sleep(5)
            path = "/titled"
        status, content_type, body = PAGES.get(path, PAGES["/missing"])
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def redirect(self, target):
        self.send_response(302)
        self.send_header("Location", target)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    sys.exit(0)
