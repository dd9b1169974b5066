#!/usr/bin/python3
"""Turns the page's files into a release that a web server can cache safely, and packs it.

    release_site.py --page PAGE_DIR --site SITE_DIR --source SOURCE_DIR --date YYYY-MM-DD
                    [--tarball FILE --folder NAME]

The page's module scripts are first joined into one per module the page loads (main_window.js
with everything it imports), each imported module in a function of its own, so that the page
asks for one script instead of one for each module. Then every file but index.html and the
service worker gets its content's hash in its name
(calculator.js -> calculator.1f2e3d4c5b6a.js), and every reference to it in the others is
rewritten, the referring files after the files they name, so that a file's name changes
whenever anything it loads changes. The service worker gets the list of the release's files with
their SHA-256, and so changes with every release; index.html names the release (a digest of
all its files but that name), and the page registers the worker by it, so that a browser asks
for a changed worker under a new address whatever dates and sizes the server compares. Compressible files get a .gz copy beside
them. Files are 0644 and folders 0755 whatever the umask, and all carry the release commit's
time: SOURCE_DATE_EPOCH if set, else the time of the source tree's last git commit, else
midnight (UTC) of --date.
"""

import argparse
import calendar
import gzip
import hashlib
import io
import json
import os
import re
import shutil
import subprocess
import sys
import tarfile
import time

# Served as they are named: the page's address and the worker's never change.
FIXED_NAMES = {"index.html", "sw.js"}
COMPRESSIBLE = (".html", ".js", ".css", ".wasm", ".webmanifest", ".json", ".svg")
TEXT = (".html", ".js", ".css", ".webmanifest", ".json", ".svg")
# Where the service worker's template receives the release, and where the page is told its
# name.
RELEASE_PLACEHOLDER = "/* the release */ null"
PAGE_RELEASE_PLACEHOLDER = 'data-release=""'


def release_time(source, date):
    if os.environ.get("SOURCE_DATE_EPOCH", "").isdigit():
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        run = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True)
        return int(run.stdout.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        return calendar.timegm(time.strptime(date, "%Y-%m-%d"))


def reference_pattern(name):
    # A name as HTML, CSS, JSON and JavaScript quote it: "name", 'name', (name), './name'.
    return re.compile(r"(?<=[\"'(/])" + re.escape(name) + r"(?=[\"')])")


def hashed_name(name, content):
    stem, dot, extension = name.partition(".")
    return f"{stem}.{hashlib.sha256(content).hexdigest()[:12]}{dot}{extension}"


IMPORT = re.compile(r"^import\s+\{([^}]*)\}\s+from\s+'\./([\w.-]+)';[ \t]*\n", re.MULTILINE)
EXPORT = re.compile(r"^export\s+((?:async\s+)?function|class|const)\s+(\w+)", re.MULTILINE)
ENTRY = re.compile(r'<script type="module" src="([\w.-]+)"[^>]*></script>')


def module_variable(name):
    return "__" + re.sub(r"\W", "_", name)


def bundle_modules(sources):
    """Joins each module the page loads with every module it imports, in place. An imported
    module runs in a function of its own and hands its exports on as the properties of an
    object, which the modules that import it take them from."""
    page = sources["index.html"].decode("utf-8")
    for entry in ENTRY.findall(page):
        order = []

        def visit(name):
            if name not in order:
                for _, dependency in IMPORT.findall(sources[name].decode("utf-8")):
                    visit(dependency)
                order.append(name)

        visit(entry)
        parts = []
        for name in order:
            text = IMPORT.sub(lambda m: f"const {{{m[1]}}} = {module_variable(m[2])};\n",
                              sources[name].decode("utf-8"))
            if name == entry:
                parts.append(text)
                continue
            if re.search(r"^export\b", EXPORT.sub("", text), re.MULTILINE):
                sys.exit(f"{name}: a module the page imports exports only functions, classes "
                         "and constants, each where it is declared")
            exported = [m[2] for m in EXPORT.finditer(text)]
            text = EXPORT.sub(lambda m: f"{m[1]} {m[2]}", text)
            parts.append(f"// {name}\nconst {module_variable(name)} = (() => {{\n{text}"
                         f"return {{ {', '.join(exported)} }};\n}})();\n")
            del sources[name]
        sources[entry] = "\n".join(parts).encode("utf-8")


def release_files(page):
    """name -> content of the released files, each referring to the others by their new
    names."""
    sources = {}
    for name in sorted(os.listdir(page)):
        with open(os.path.join(page, name), "rb") as f:
            sources[name] = f.read()
    bundle_modules(sources)
    patterns = {name: reference_pattern(name) for name in sources}
    # Which files each file refers to; a file is renamed after all of them. The fixed names
    # need no order.
    refers_to = {
        name: {other for other in sources
               if other != name and other not in FIXED_NAMES and name.endswith(TEXT)
               and patterns[other].search(content.decode("utf-8"))}
        for name, content in sources.items()}
    renamed = {}
    released = {}
    while len(released) < len(sources):
        ready = [name for name in sources
                 if name not in released and refers_to[name] <= released.keys()]
        if not ready:
            sys.exit(f"files refer to each other in a circle: {sorted(set(sources) - set(released))}")
        for name in ready:
            content = sources[name]
            if refers_to[name]:
                text = content.decode("utf-8")
                for other in refers_to[name]:
                    text = patterns[other].sub(renamed[other], text)
                content = text.encode("utf-8")
            renamed[name] = name if name in FIXED_NAMES else hashed_name(name, content)
            released[name] = content
    return {renamed[name]: content for name, content in released.items()}


def with_release_list(files):
    """Names the release after every file as built (the worker's template too), tells the page
    that name, and fills the service worker's template with the release: its name and its
    files."""
    def sha256(content):
        return hashlib.sha256(content).hexdigest()

    built = {name: sha256(content) for name, content in sorted(files.items())}
    name = "tolvi-" + sha256(json.dumps(built, sort_keys=True).encode())[:12]
    page, worker = files["index.html"].decode("utf-8"), files["sw.js"].decode("utf-8")
    for file, text, placeholder in [("index.html", page, PAGE_RELEASE_PLACEHOLDER),
                                    ("sw.js", worker, RELEASE_PLACEHOLDER)]:
        if text.count(placeholder) != 1:
            sys.exit(f"{file} has no single {placeholder!r} to fill in")
    files["index.html"] = page.replace(
        PAGE_RELEASE_PLACEHOLDER, f'data-release="{name}"').encode("utf-8")
    listed = {file: sha256(content) for file, content in sorted(files.items()) if file != "sw.js"}
    release = json.dumps({"name": name, "files": listed}, indent=1, sort_keys=True)
    files["sw.js"] = worker.replace(RELEASE_PLACEHOLDER, release).encode("utf-8")


def write_site(files, site, epoch):
    if os.path.isdir(site):
        shutil.rmtree(site)
    os.makedirs(site)
    os.chmod(site, 0o755)
    written = {}
    for name, content in files.items():
        written[name] = content
        if name.endswith(COMPRESSIBLE):
            packed = gzip.compress(content, compresslevel=9, mtime=epoch)
            if len(packed) < len(content):
                written[name + ".gz"] = packed
    for name, content in written.items():
        path = os.path.join(site, name)
        with open(path, "wb") as f:
            f.write(content)
        os.chmod(path, 0o644)
        os.utime(path, (epoch, epoch))
    os.utime(site, (epoch, epoch))


def write_tarball(site, tarball, folder, epoch):
    """The site as FOLDER/ in a gzipped tar that is the same byte for byte for the same files."""
    def entry(name, mode, size=0, directory=False):
        info = tarfile.TarInfo(name)
        info.mode, info.size, info.mtime = mode, size, epoch
        info.uid = info.gid = 0
        info.uname = info.gname = "root"
        info.type = tarfile.DIRTYPE if directory else tarfile.REGTYPE
        return info

    buffer = io.BytesIO()
    with tarfile.open(fileobj=buffer, mode="w", format=tarfile.USTAR_FORMAT) as tar:
        tar.addfile(entry(folder, 0o755, directory=True))
        for name in sorted(os.listdir(site)):
            with open(os.path.join(site, name), "rb") as f:
                content = f.read()
            tar.addfile(entry(f"{folder}/{name}", 0o644, len(content)), io.BytesIO(content))
    with open(tarball, "wb") as raw, \
            gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=epoch) as packed:
        packed.write(buffer.getvalue())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--page", required=True, help="the page's files as built")
    parser.add_argument("--site", required=True, help="the folder to write the release to")
    parser.add_argument("--source", required=True, help="the source tree, for its git time")
    parser.add_argument("--date", required=True, help="the release date, without git")
    parser.add_argument("--tarball")
    parser.add_argument("--folder", help="the folder the tarball unpacks into")
    args = parser.parse_args()

    epoch = release_time(args.source, args.date)
    files = release_files(args.page)
    with_release_list(files)
    write_site(files, args.site, epoch)
    if args.tarball:
        write_tarball(args.site, args.tarball, args.folder, epoch)


if __name__ == "__main__":
    main()
