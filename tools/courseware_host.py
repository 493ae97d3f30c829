#!/usr/bin/env python3
"""A courseware host for tests and demonstrations, written from docs/hostlink.md alone.

It opens the host's endpoint for a suffix, keeps the clients that register, answers every
request, and on command sends quit or parameters. With --quit-first it tells a client to
quit (the host going down) before it answers its request, as a host closing down may. Commands come on standard input, one per
line; events go to standard output, one per line:

  quit HANDLE 0|1           send quit (1: the host is going down)
  params HANDLE A|B|...     send parameters
  clients                   list the registered clients
  exit                      close the endpoint and end

  ready HANDLE, registered HANDLE TITLE, unregistered HANDLE, request KIND, sent KIND ACK
"""

import argparse
import datetime
import hashlib
import os
import random
import selectors
import shlex
import socket
import struct
import subprocess
import sys

MAX_RECORD = 64 * 1024 * 1024 + 8
TIMEOUT = 10.0
QUIT, REPLY, REGISTER, UNREGISTER, FIND, PARAMS, EXECUTE, GETFILE, RESOLVE, QUERY, GETVAR = \
    range(4096, 4107)


def folder():
    runtime = os.environ.get("XDG_RUNTIME_DIR", "")
    if runtime and os.path.isdir(runtime):
        path = os.path.join(runtime, "tavimor")
    else:
        path = os.path.join(os.environ.get("TMPDIR", "/tmp"), "tavimor-%d" % os.geteuid())
    os.makedirs(path, mode=0o700, exist_ok=True)
    info = os.lstat(path)
    if info.st_uid != os.geteuid() or info.st_mode & 0o077 or os.path.islink(path):
        sys.exit("courseware_host: %s is not private to this user" % path)
    return path


def name_file(base, cls, name):
    digest = hashlib.sha1(cls.encode() + b"\n" + name.encode()).hexdigest()
    return os.path.join(base, "n" + digest)


def stamp_now():
    now = datetime.datetime.now()
    ms = ((now.hour * 60 + now.minute) * 60 + now.second) * 1000 + now.microsecond // 1000
    return struct.pack("<ii", ms, now.date().toordinal())


def string(text):
    data = text.encode("cp1252", "replace")
    return struct.pack("<i", len(data)) + data


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, n):
        if n > len(self.data) - self.at:
            raise ValueError("payload ends early")
        part = self.data[self.at:self.at + n]
        self.at += n
        return part

    def int32(self):
        return struct.unpack("<i", self.take(4))[0]

    def byte(self):
        return self.take(1)[0]

    def string(self):
        n = self.int32()
        return self.take(n).decode("cp1252", "replace") if n > 0 else ""

    def entity(self):
        return (self.int32(), self.int32(), self.string(), self.string())


def entity_bytes(entity):
    window, lock, path, title = entity
    return struct.pack("<ii", window, lock) + string(path) + string(title)


def recv_exact(conn, n):
    data = b""
    while len(data) < n:
        part = conn.recv(min(65536, n - len(data)))
        if not part:
            raise ConnectionError("frame ends early")
        data += part
    return data


class Host:
    def __init__(self, suffix, served, variables, quit_first=False):
        self.base = folder()
        self.quit_first = quit_first
        self.served = os.path.abspath(served) if served else None
        self.variables = variables
        self.clients = {}
        self.children = []
        self.server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        for _ in range(16):
            self.handle = random.randint(1, 0x7FFFFFFE)
            self.path = os.path.join(self.base, "w%08x" % self.handle)
            if not os.path.exists(self.path):
                break
        self.server.bind(self.path)
        self.server.listen(16)
        self.name = name_file(self.base, "ThisIsTheTavimorServerComponentWindowClass" + suffix,
                              "ThisIsTheTavimorServerComponentWindow" + suffix)
        temporary = self.name + ".new"
        with open(temporary, "w") as f:
            f.write("%d\n" % self.handle)
        os.replace(temporary, self.name)

    def close(self):
        self.server.close()
        for path in (self.path, self.name):
            try:
                os.remove(path)
            except OSError:
                pass

    def say(self, *words):
        print(*words, flush=True)

    def send(self, target, kind, stamp, payload):
        """One frame to an endpoint; the acknowledgement byte, or None."""
        try:
            with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as conn:
                conn.settimeout(TIMEOUT)
                conn.connect(os.path.join(self.base, "w%08x" % (target & 0xFFFFFFFF)))
                record = stamp + payload
                conn.sendall(struct.pack("<iiI", kind, self.handle, len(record)) + record)
                ack = conn.recv(1)
                return ack[0] if ack else None
        except OSError:
            return None

    def serve_one(self):
        conn, _ = self.server.accept()
        with conn:
            conn.settimeout(TIMEOUT)
            try:
                kind, sender, length = struct.unpack("<iiI", recv_exact(conn, 12))
                if length > MAX_RECORD or length < 8:
                    conn.sendall(b"\0")
                    return
                record = recv_exact(conn, length)
            except (OSError, ConnectionError, struct.error):
                return  # a probe, or a frame cut short
            try:
                answer = self.answer(kind, sender, record[8:])
            except ValueError as e:
                self.say("refused", kind, e)
                conn.sendall(b"\0")
                return
            if answer is not None:
                if self.quit_first:
                    self.say("sent", QUIT, self.send(sender, QUIT, stamp_now(), b"\1"))
                ack = self.send(sender, REPLY, record[:8], answer)
                self.say("replied", kind, ack)
            conn.sendall(b"\1")

    def answer(self, kind, sender, payload):
        """The reply payload of a request, or None for messages that get none."""
        r = Reader(payload)
        self.say("request", kind)
        if kind == REGISTER:
            entity = r.entity()
            self.clients[entity[0]] = entity
            self.say("registered", entity[0], entity[3])
        elif kind == UNREGISTER:
            entity = r.entity()
            self.clients.pop(entity[0], None)
            self.say("unregistered", entity[0])
        elif kind == FIND:
            selector = r.byte()
            if selector == 2:
                title = r.string()
                found = [e for e in self.clients.values() if e[3] == title]
            else:
                window = r.int32()
                found = [e for e in self.clients.values() if e[0] == window]
            return entity_bytes(found[0]) if found else b""
        elif kind == EXECUTE:
            program, params, wait, option = r.string(), r.string(), r.byte(), r.int32()
            try:
                child = subprocess.Popen([program] + shlex.split(params))
                self.children.append(child)
                return struct.pack("<i", child.pid)
            except OSError:
                return struct.pack("<i", 0)
        elif kind == GETFILE:
            path = self.local(r.string())
            if path and os.path.isfile(path):
                with open(path, "rb") as f:
                    return b"\1" + f.read()
            return b"\0"
        elif kind == RESOLVE:
            name = r.string()
            path = self.local(name)
            return string(path if path else name)
        elif kind == QUERY:
            return string("host: " + r.string())
        elif kind == GETVAR:
            return string(self.variables.get(r.string(), ""))
        return None

    def local(self, name):
        """A name in the served folder: only its file-name part counts."""
        if not self.served:
            return None
        base = name.replace("\\", "/").rsplit("/", 1)[-1]
        return os.path.join(self.served, base) if base else None

    def command(self, line):
        words = line.strip().split(None, 2)
        if not words:
            return True
        if words[0] == "exit":
            return False
        if words[0] == "clients":
            for entity in self.clients.values():
                self.say("client", entity[0], entity[3])
        elif words[0] == "quit" and len(words) == 3:
            ack = self.send(int(words[1]), QUIT, stamp_now(), bytes([int(words[2]) & 0xFF]))
            self.say("sent", QUIT, ack)
        elif words[0] == "params" and len(words) >= 2:
            items = words[2].split("|") if len(words) == 3 else []
            text = "".join(item + "\r\n" for item in items).encode("cp1252", "replace")
            ack = self.send(int(words[1]), PARAMS, stamp_now(), text)
            self.say("sent", PARAMS, ack)
        else:
            self.say("unknown", line.strip())
        return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--suffix", default="", help="the host's name suffix")
    parser.add_argument("--serve", help="the folder whose files the host serves")
    parser.add_argument("--var", action="append", default=[], metavar="NAME=VALUE")
    parser.add_argument("--quit-first", action="store_true",
                        help="send quit before answering a request")
    args = parser.parse_args()
    variables = dict(v.split("=", 1) for v in args.var if "=" in v)
    host = Host(args.suffix.lower(), args.serve, variables, args.quit_first)
    selector = selectors.DefaultSelector()
    selector.register(host.server, selectors.EVENT_READ, "socket")
    selector.register(sys.stdin, selectors.EVENT_READ, "stdin")
    host.say("ready", host.handle)
    try:
        running = True
        while running:
            for key, _ in selector.select(timeout=1.0):
                if key.data == "socket":
                    host.serve_one()
                else:
                    line = sys.stdin.readline()
                    running = bool(line) and host.command(line)
            host.children = [c for c in host.children if c.poll() is None]
    finally:
        host.close()


if __name__ == "__main__":
    main()
