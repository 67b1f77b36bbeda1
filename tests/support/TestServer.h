#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ScriptedPrompter.h"
#include "db/CClient.h"

// The throwaway server started by the db_server test fixture.
int TestServerPort();

// A port of 127.0.0.1 nobody listens on right now, for an installation of a test's own.
int FreeLocalPort();
// True when something accepts connections on that port of 127.0.0.1.
bool LocalPortAnswers(int port);

// How the program logs in to an installation the tests prepared (its port
// and its own client.cnf), read as the program reads it.
ServerLogin TestInstallationLogin(const std::string& folder);
// The same for the fixture's server.
ServerLogin TestServerLogin();

// Runs SQL text (several statements allowed) as the program's login, outside
// any CClient; fails the test on an error. For setting up and inspecting data.
void RunSql(const std::string& sql);
// First column of the first row of a query, "" when there is no row.
std::string SqlScalar(const std::string& sql);
// Loads a file of the project's sql/ folder (path relative to the source tree).
void RunSqlFile(const std::string& relativePath);

// Empties every table of asigurati and concedii and loads the starting data
// again (version row, insurance houses); nomenc is left as installed.
void ResetData();
// Drops and recreates the three databases from sql/, for tests that replace
// them with older layouts.
void RebuildDatabases();

// Base of db tests: fresh data, a prompter that expects nothing unless told,
// and a connected CClient.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // For a test that changes table layouts: the databases are rebuilt after it.
    void RebuildAfterTest() { m_rebuildAfter = true; }

    ScriptedPrompter m_prompter;
    std::unique_ptr<CClient> m_client;
    bool m_rebuildAfter = false;
};
