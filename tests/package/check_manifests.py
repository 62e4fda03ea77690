#!/usr/bin/python3
"""Checks the winget and Scoop manifests scripts/package wrote into DIST: each against its
official JSON schema (kept in tests/package/schemas), and against the files beside it: the
hashes, the download names, the version, the programs inside the zips, the "Apps" entry's key.

Usage: check_manifests.py DIST VERSION   (Debian's python3 with python3-jsonschema, python3-yaml)
"""
import copy
import hashlib
import json
import os
import sys
import zipfile

import jsonschema
import yaml

HERE = os.path.dirname(os.path.abspath(__file__))
PACKAGE_ID = "LyricsTools.LyricsTools"
UNINSTALL_KEY_NAME = "LyricsTools"
PROGRAMS = ["Match.exe", "Orlisk.exe", "lyrics.exe"]
failures = []


def Check(condition, what):
    if not condition:
        failures.append(what)


def Schema(*parts):
    with open(os.path.join(HERE, "schemas", *parts), encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft7Validator.check_schema(schema)
    return jsonschema.Draft7Validator(schema)


def Errors(validator, manifest):
    return [f"{'/'.join(map(str, e.absolute_path))}: {e.message}" for e in validator.iter_errors(manifest)]


def Sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    dist, version = sys.argv[1], sys.argv[2]
    name = f"lyrics-tools-{version}"
    files = {f"{name}-setup.exe", f"{name}-win64.zip", f"{name}-win32.zip"}
    hashes = {file: Sha256(os.path.join(dist, file)) for file in files}
    zips = {file: set(zipfile.ZipFile(os.path.join(dist, file)).namelist()) for file in files if file.endswith(".zip")}

    def Download(url, sha, what):
        """The address names a file of DIST, under the one release page, and sha is its hash."""
        file = url.rsplit("/", 1)[-1]
        Check(file in files, f"{what}: {url} names no file of {dist}")
        Check(url.endswith(f"/download/{version}/{file}"), f"{what}: {url} is not under download/{version}/")
        Check(sha.lower() == hashes.get(file), f"{what}: the hash of {file} is not the file's")
        return file

    winget = {}
    for kind, suffix in (("version", ""), ("defaultLocale", ".locale.en-US"), ("installer", ".installer")):
        path = os.path.join(dist, "winget", f"{PACKAGE_ID}{suffix}.yaml")
        with open(path, encoding="utf-8") as f:
            winget[kind] = yaml.safe_load(f)
        validator = Schema("winget-1.28.0", f"manifest.{kind}.1.28.0.json")
        for error in Errors(validator, winget[kind]):
            failures.append(f"{path}: {error}")
        Check(winget[kind]["PackageVersion"] == version, f"{path}: PackageVersion is not {version}")
        Check(winget[kind]["PackageIdentifier"] == PACKAGE_ID, f"{path}: another PackageIdentifier")

    # The schema is what refuses: a manifest without a hash must not pass.
    broken = copy.deepcopy(winget["installer"])
    del broken["Installers"][0]["InstallerSha256"]
    Check(Errors(Schema("winget-1.28.0", "manifest.installer.1.28.0.json"), broken), "the schema let a missing hash pass")

    installers = winget["installer"]["Installers"]
    setup = [i for i in installers if i.get("InstallerType") == "nullsoft"]
    Check(len(setup) == 1 and setup[0]["Scope"] == "user", "no one per-user nullsoft installer")
    for installer in installers:
        file = Download(installer["InstallerUrl"], installer["InstallerSha256"], f"winget {installer['Architecture']}")
        if installer["InstallerType"] == "zip":
            Check(installer["NestedInstallerType"] == "portable", f"winget {file}: not portable")
            nested = [n["RelativeFilePath"].replace("\\", "/") for n in installer["NestedInstallerFiles"]]
            Check(nested == [f"{name}/{p}" for p in PROGRAMS], f"winget {file}: nested files {nested}")
            Check(all(n in zips.get(file, ()) for n in nested), f"winget {file}: a nested file is not in the zip")
    Check({Download(i["InstallerUrl"], i["InstallerSha256"], "winget") for i in installers} == files,
          "winget: not every file of the release is an installer")
    for entry in setup[0]["AppsAndFeaturesEntries"] if setup else []:
        Check(entry.get("ProductCode") == UNINSTALL_KEY_NAME, "winget: the Apps entry is not the uninstall key")
        Check(entry.get("DisplayVersion") == version, "winget: the Apps entry's version")
        Check(entry.get("DisplayName", "").startswith("Lyrics Tools"), "winget: the Apps entry's name")
    Check(setup and setup[0]["InstallerSwitches"].get("Silent") == "/S", "winget: Silent is not /S")
    Check(setup and setup[0]["InstallerSwitches"].get("InstallLocation") == "/D=<INSTALLPATH>", "winget: InstallLocation")

    path = os.path.join(dist, "scoop", "lyrics-tools.json")
    with open(path, encoding="utf-8") as f:
        scoop = json.load(f)
    for error in Errors(Schema("scoop", "schema.json"), scoop):
        failures.append(f"{path}: {error}")
    Check(scoop["version"] == version, "scoop: version")
    Check(scoop.get("bin") == "lyrics.exe", "scoop: bin")
    Check(scoop.get("shortcuts") == [["Match.exe", "Match"], ["Orlisk.exe", "Orlisk"]], "scoop: shortcuts")
    zipped = set()
    for bits, architecture in scoop["architecture"].items():
        file = Download(architecture["url"], architecture["hash"], f"scoop {bits}")
        zipped.add(file)
        for program in PROGRAMS:
            Check(f"{architecture['extract_dir']}/{program}" in zips.get(file, ()), f"scoop {bits}: no {program}")
    Check(zipped == {f"{name}-win64.zip", f"{name}-win32.zip"}, "scoop: not the two zips")

    for failure in failures:
        print(f"check_manifests: {failure}", file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"winget (1.28.0) and Scoop manifests of {version}: valid, and naming the files of {dist}")


if __name__ == "__main__":
    main()
