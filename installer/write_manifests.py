#!/usr/bin/env python3
"""Writes the package-manager manifests of a release beside its files in DIST:

  DIST/winget/LyricsTools.LyricsTools.yaml               version manifest (winget 1.28.0)
  DIST/winget/LyricsTools.LyricsTools.locale.en-US.yaml  default-locale manifest
  DIST/winget/LyricsTools.LyricsTools.installer.yaml     installer manifest: the setup (nullsoft,
                                                         per user) and the two zips (portable)
  DIST/scoop/lyrics-tools.json                           Scoop manifest of the two zips

Usage: write_manifests.py DIST VERSION RELEASE_PAGE EPOCH NSIS_SCRIPT

The hashes are those of the files in DIST; each download is RELEASE_PAGE/download/VERSION/<file>.
The "Apps" entry the winget manifest names is read from the installer's script, so that the two
cannot drift apart. Written with a fixed order and no time but EPOCH, so a release is reproducible.
"""
import hashlib
import json
import os
import re
import sys
import time

PACKAGE_ID = "LyricsTools.LyricsTools"
MANIFEST_VERSION = "1.28.0"
SCHEMA = "https://aka.ms/winget-manifest.{}.1.28.0.schema.json"
DESCRIPTION = ("Match compares a lyrics folder with a Winamp playlist and lists the songs without lyrics "
               "and the lyrics without a song; Orlisk sits beside the clock and opens the lyrics of the "
               "song Winamp plays.")
PROGRAMS = ("Match.exe", "Orlisk.exe", "lyrics.exe")
# Windows 7 SP1, the oldest Windows the programs start on.
MINIMUM_OS = "6.1.7601"
# Exit codes of a silent setup besides 0 (installer/lyrics-tools.nsi).
SETUP_EXIT_CODES = ((3, "packageInUse"), (4, "invalidParameter"))


def UninstallEntry(nsis_script, version):
    """DisplayName, Publisher, DisplayVersion and the key's name, as the installer writes them."""
    text = open(nsis_script, encoding="utf-8").read()
    defines = dict(re.findall(r'^!define (\w+) "([^"]*)"', text, re.M))
    defines["VERSION"] = version

    def Expand(value):
        return re.sub(r"\$\{(\w+)\}", lambda m: defines[m.group(1)], value)

    values = dict(re.findall(r'WriteRegStr HKCU "\$\{UNINSTALL_KEY\}" "(\w+)" "([^"]*)"', text))
    return {
        "DisplayName": Expand(values["DisplayName"]),
        "Publisher": Expand(values["Publisher"]),
        "DisplayVersion": Expand(values["DisplayVersion"]),
        "ProductCode": Expand(defines["UNINSTALL_KEY"]).rsplit("\\", 1)[1],
    }


def Sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 20), b""):
            digest.update(chunk)
    return digest.hexdigest().upper()


def Yaml(value, indent=""):
    """The YAML of plain data: mappings in their order, lists, strings single-quoted."""
    lines = []
    if isinstance(value, dict):
        for key, item in value.items():
            if isinstance(item, (dict, list)):
                lines.append(f"{indent}{key}:")
                lines.extend(Yaml(item, indent + "  "))
            else:
                lines.append(f"{indent}{key}: {Scalar(item)}")
    else:
        for item in value:
            inner = Yaml(item, indent + "  ") if isinstance(item, (dict, list)) else [indent + "  " + Scalar(item)]
            lines.append(indent + "- " + inner[0][len(indent) + 2:])
            lines.extend(inner[1:])
    return lines


def Scalar(value):
    if isinstance(value, int):
        return str(value)
    return "'" + str(value).replace("'", "''") + "'"


def WriteYaml(path, kind, manifest):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"# yaml-language-server: $schema={SCHEMA.format(kind)}\n\n")
        f.write("\n".join(Yaml(manifest)) + "\n")


def main():
    dist, version, page, epoch, nsis_script = sys.argv[1:6]
    name = f"lyrics-tools-{version}"
    files = {kind: f"{name}-{kind}.{'exe' if kind == 'setup' else 'zip'}" for kind in ("setup", "win64", "win32")}
    url = {kind: f"{page}/download/{version}/{file}" for kind, file in files.items()}
    sha = {kind: Sha256(os.path.join(dist, file)) for kind, file in files.items()}
    release_date = time.strftime("%Y-%m-%d", time.gmtime(int(epoch)))
    common = {"PackageIdentifier": PACKAGE_ID, "PackageVersion": version}

    def Zip(architecture, kind):
        return {
            "Architecture": architecture,
            "InstallerType": "zip",
            "NestedInstallerType": "portable",
            "NestedInstallerFiles": [
                {"RelativeFilePath": f"{name}\\{program}", "PortableCommandAlias": program[:-4].lower()}
                for program in PROGRAMS
            ],
            "InstallerUrl": url[kind],
            "InstallerSha256": sha[kind],
        }

    installer = dict(common)
    installer.update({
        "MinimumOSVersion": MINIMUM_OS,
        "InstallModes": ["interactive", "silent"],
        "UpgradeBehavior": "install",
        "ReleaseDate": release_date,
        "Installers": [
            {
                "Architecture": "x64",
                "InstallerType": "nullsoft",
                "Scope": "user",
                "InstallerUrl": url["setup"],
                "InstallerSha256": sha["setup"],
                "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S", "InstallLocation": "/D=<INSTALLPATH>",
                                      "Log": "/LOG=<LOGPATH>"},
                "ExpectedReturnCodes": [{"InstallerReturnCode": code, "ReturnResponse": response}
                                        for code, response in SETUP_EXIT_CODES],
                "AppsAndFeaturesEntries": [UninstallEntry(nsis_script, version)],
            },
            Zip("x64", "win64"),
            Zip("x86", "win32"),
        ],
        "ManifestType": "installer",
        "ManifestVersion": MANIFEST_VERSION,
    })
    locale = dict(common)
    locale.update({
        "PackageLocale": "en-US",
        "Publisher": "Lyrics Tools",
        "PackageName": "Lyrics Tools",
        "PackageUrl": page,
        "License": "MIT",
        "ShortDescription": "Match a lyrics folder with a Winamp playlist; open the playing song's lyrics.",
        "Description": DESCRIPTION,
        "Tags": ["lyrics", "winamp", "playlist"],
        "ManifestType": "defaultLocale",
        "ManifestVersion": MANIFEST_VERSION,
    })
    version_manifest = dict(common)
    version_manifest.update({"DefaultLocale": "en-US", "ManifestType": "version", "ManifestVersion": MANIFEST_VERSION})

    os.makedirs(os.path.join(dist, "winget"), exist_ok=True)
    WriteYaml(os.path.join(dist, "winget", f"{PACKAGE_ID}.yaml"), "version", version_manifest)
    WriteYaml(os.path.join(dist, "winget", f"{PACKAGE_ID}.locale.en-US.yaml"), "defaultLocale", locale)
    WriteYaml(os.path.join(dist, "winget", f"{PACKAGE_ID}.installer.yaml"), "installer", installer)

    scoop = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": page,
        "license": "MIT",
        "notes": "Match writes its unmatch lists beside Match.exe, in this version's folder.",
        "architecture": {
            "64bit": {"url": url["win64"], "hash": sha["win64"].lower(), "extract_dir": name},
            "32bit": {"url": url["win32"], "hash": sha["win32"].lower(), "extract_dir": name},
        },
        "bin": "lyrics.exe",
        "shortcuts": [["Match.exe", "Match"], ["Orlisk.exe", "Orlisk"]],
    }
    os.makedirs(os.path.join(dist, "scoop"), exist_ok=True)
    with open(os.path.join(dist, "scoop", "lyrics-tools.json"), "w", encoding="utf-8", newline="\n") as f:
        json.dump(scoop, f, indent=4)
        f.write("\n")


if __name__ == "__main__":
    main()
