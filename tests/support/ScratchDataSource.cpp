#include "tests/support/ScratchDataSource.h"

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "framework/odbc/Database.h"

#ifndef _WIN32
#include <unistd.h>

#include <cstdio>
#endif

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool NamesScratchSource(const std::string& ini) {
    std::ifstream in(ini);
    std::string first;
    std::getline(in, first);
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    return first == kScratchMarker;
}

#ifndef _WIN32

// What to remove at exit.
struct Scratch {
    std::string folder, ini, sqliteFile;
    std::string postgresDatabase;
};
Scratch g_scratch;

std::string ServerConnect(const std::string& database) {
    return "Driver=PostgreSQL ANSI;Servername=" + Env("SORROWLINE_TEST_PG_SERVER") +
           ";Port=" + Env("SORROWLINE_TEST_PG_PORT") + ";Database=" + database +
           ";Username=" + Env("SORROWLINE_TEST_PG_USER");
}

void RemoveScratch() {
    if (!g_scratch.postgresDatabase.empty()) {
        try {
            CDatabase server;
            server.OpenEx(ServerConnect(Env("SORROWLINE_TEST_PG_DATABASE")));
            server.ExecuteSQL("DROP DATABASE IF EXISTS " + g_scratch.postgresDatabase + " WITH (FORCE)");
        } catch (const std::exception&) {
            // Left on a throwaway server; nothing to do about it at exit.
        }
    }
    if (!g_scratch.sqliteFile.empty()) {
        std::remove(g_scratch.sqliteFile.c_str());
        std::remove((g_scratch.sqliteFile + "-journal").c_str());
    }
    std::remove(g_scratch.ini.c_str());
    ::rmdir(g_scratch.folder.c_str());
}

std::string MakeFolder() {
    std::string base = Env("TMPDIR");
    std::string pattern = (base.empty() ? "/tmp" : base) + "/sorrowline-scratch-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return "";
    return pattern;
}

// A database of its own on the server, so that nothing there is touched.
std::string CreateServerDatabase() {
    const std::string name = "sorrowline_scratch_" + std::to_string(::getpid()) + "_" +
                             std::to_string(std::time(nullptr));
    CDatabase server;
    server.OpenEx(ServerConnect(Env("SORROWLINE_TEST_PG_DATABASE")));
    server.ExecuteSQL("CREATE DATABASE " + name);
    return name;
}

void WriteIni(ScratchEngine engine) {
    std::ofstream out(g_scratch.ini);
    out << kScratchMarker << "\n[Sorrowline]\n";
    if (engine == ScratchEngine::Postgres) {
        out << "Driver=PostgreSQL ANSI\n"
            << "Servername=" << Env("SORROWLINE_TEST_PG_SERVER") << "\n"
            << "Port=" << Env("SORROWLINE_TEST_PG_PORT") << "\n"
            << "Database=" << g_scratch.postgresDatabase << "\n"
            << "Username=" << Env("SORROWLINE_TEST_PG_USER") << "\n"
            // Texts are single bytes of the Windows code page.
            << "ConnSettings=SET client_encoding TO 'WIN1252'\n";
    } else {
        out << "Driver=SQLite3\nDatabase=" << g_scratch.sqliteFile << "\nTimeout=5000\n";
    }
}

#endif

}  // namespace

ScratchStatus MakeScratchDataSource(ScratchEngine engine, std::string* reason) {
#ifdef _WIN32
    (void)engine;
    if (NamesScratchSource(Env("ODBCINI")))
        return ScratchStatus::Ready;
    *reason = "ODBCINI names no scratch data source, and a Windows program cannot make one: "
              "run it through ctest or tests/support/scratch-source";
    return ScratchStatus::Refused;
#else
    if (engine == ScratchEngine::Postgres && Env("SORROWLINE_TEST_PG_PORT").empty()) {
        *reason = "no PostgreSQL server (SORROWLINE_TEST_PG_PORT unset)";
        return ScratchStatus::Unavailable;
    }
    g_scratch.folder = MakeFolder();
    if (g_scratch.folder.empty()) {
        *reason = "cannot make a temporary folder";
        return ScratchStatus::Refused;
    }
    g_scratch.ini = g_scratch.folder + "/odbc.ini";
    std::atexit(RemoveScratch);
    try {
        if (engine == ScratchEngine::Postgres)
            g_scratch.postgresDatabase = CreateServerDatabase();
        else
            g_scratch.sqliteFile = g_scratch.folder + "/sorrowline.db";
    } catch (const std::exception& e) {
        *reason = std::string("cannot create a database on the PostgreSQL server: ") + e.what();
        return ScratchStatus::Refused;
    }
    WriteIni(engine);
    ::setenv("ODBCINI", g_scratch.ini.c_str(), 1);
    if (!NamesScratchSource(g_scratch.ini)) {
        *reason = "cannot write " + g_scratch.ini;
        return ScratchStatus::Refused;
    }
    return ScratchStatus::Ready;
#endif
}
