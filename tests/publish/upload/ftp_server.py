"""A loopback FTP server for the upload tests (pyftpdlib from Debian).

Serves ROOT to one user on 127.0.0.1 and a port the system picks, which it
prints as "PORT n" once it listens. Every command a client sends is
appended to COMMANDS (one command word a line), so that a test can tell
whether the password went out or TLS was used. --tls serves explicit TLS
(AUTH TLS) with the given certificate and key; --implicit starts TLS before
the greeting (ftps://).
"""
import argparse
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def handler_class(args):
    base = FTPHandler
    if args.tls:
        from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

        class DataHandler(TLS_DTPHandler):
            # pyftpdlib closes a data connection that has bytes to read
            # before its transfer starts, and a client's TLS hello, sent as
            # soon as the connection opens, is such bytes.
            def readable(self):
                if self._ssl_accepting:
                    return True
                if not self.receive and not self._initialized:
                    return False
                return super().readable()

        base = TLS_FTPHandler
        base.certfile, base.keyfile = args.tls
        base.dtp_handler = DataHandler

    class Handler(base):
        # Failed logins are slowed down on purpose; not in a test.
        auth_failed_timeout = 0.05

        def handle(self):
            if args.implicit:
                self.secure_connection(self.ssl_context)
            super().handle()

        def pre_process_command(self, line, cmd, arg):
            with open(args.commands, "a") as log:
                log.write(cmd + "\n")
            return super().pre_process_command(line, cmd, arg)

    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--commands", required=True)
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--implicit", action="store_true")
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    handler = handler_class(args)
    handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
