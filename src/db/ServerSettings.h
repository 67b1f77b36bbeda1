#pragma once
#include <string>
#include <vector>

// The [mysqld] settings of an installation's server/bin/my.cnf that belong to
// the program: buffers and caches, and the closed doors (no LOAD DATA LOCAL,
// files only inside the installation, temporary tables in its own folder).
// An installation made by an older release gets them when the program or the
// command line starts; port, paths, the account it runs as and every other
// line stay as the user left them. A new installation's my.cnf is written
// with these very lines (db/InstallationSetup).

// "name=value" lines, in order, for the installation in `folder`.
std::vector<std::string> OwnedServerSettings(const std::string& folder);

// `text` (a my.cnf) with each owned setting of its [mysqld] group set to the
// value in `settings`: changed where it stands, a second copy dropped, a
// missing one added at the end of the group (a group is added when there is
// none). Names match as the server matches them ("-" and "_" alike).
std::string WithOwnedSettings(const std::string& text, const std::vector<std::string>& settings);

// Brings `folder`'s server/bin/my.cnf up to date: written under a temporary
// name and renamed over it, only when something changes; the folders the
// settings name are made (0700). Nothing to do without the file. False with
// `why` when it cannot be done; the file is then as it was.
bool UpdateServerSettings(const std::string& folder, std::string& why);
