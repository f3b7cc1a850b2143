#!/usr/bin/python3
"""A throw-away FTP server for the package installer's tests.

Serves ROOT on 127.0.0.1 at a free port, printed as "PORT <n>" once it
listens. With --cert/--key it requires explicit TLS on the control and data
connections. A file named by --stall is sent only half: the server then waits
until a byte arrives on the FIFO --release (written by the test once its
client has cancelled) and ends the transfer there.
"""
import argparse
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer


class HalfFile:
    def __init__(self, path, release):
        self.name = path
        self.closed = False
        self._release = release
        with open(path, "rb") as f:
            data = f.read()
        self._half = data[: len(data) // 2]
        self._sent = False

    def read(self, size=-1):
        if not self._sent:
            self._sent = True
            return self._half
        with open(self._release, "rb") as fifo:
            fifo.read()
        return b""

    def seek(self, *args):
        pass

    def close(self):
        self.closed = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--user", default="tester")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--stall")
    parser.add_argument("--release")
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")

    if args.cert:
        from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

        class DataHandler(TLS_DTPHandler):
            # A client may secure the data connection before it sends the
            # transfer command; the handshake must be read then, not taken
            # for a disconnect.
            def readable(self):
                if self._ssl_accepting:
                    return True
                return super().readable()

        class Handler(TLS_FTPHandler):
            dtp_handler = DataHandler

        Handler.certfile = args.cert
        Handler.keyfile = args.key
        Handler.tls_control_required = True
        Handler.tls_data_required = True
    else:
        class Handler(FTPHandler):
            pass

    stall, release = args.stall, args.release

    class StallingFS(AbstractedFS):
        def open(self, filename, mode):
            if stall and os.path.basename(filename) == stall:
                return HalfFile(filename, release)
            return super().open(filename, mode)

    Handler.authorizer = authorizer
    Handler.abstracted_fs = StallingFS
    Handler.banner = "test server ready"
    server = ThreadedFTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    import logging
    logging.basicConfig(level=logging.ERROR)
    sys.exit(main())
