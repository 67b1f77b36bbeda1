// The question asked before a leave declaration's files take the place of
// those already in the folder (the rectifying declaration after the initial
// one), answered "Nu", on a running server:
//   replace_snapshot INSTALLATION_FOLDER PORT OUT.png
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <filesystem>

#include "SnapshotSession.h"
#include "db/CClient.h"
#include "leave/LeaveFiles.h"

namespace {

void Fixtures(CClient& client) {
    for (const char* table : {"asigurati.societati", "concedii.declaratii", "concedii.concedii"})
        (void)client.Query(std::string("DELETE FROM ") + table, false);
    (void)client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud, sect) VALUES "
        "(12345674, 'ALFA CONSTRUCT SRL', '10', 'MB', 3)",
        false);
    (void)client.Query(
        "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
        "zile_lucratoare, nr_ang) VALUES (2, 12345674, 202603, 'NU', 0, 22, 12), "
        "(3, 12345674, 202603, 'DA', 1, 22, 12)",
        false);
    (void)client.Query(
        "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, nume, prenume, cas, tip_rectif, "
        "cert_serie, cert_numar, cod_indemn, data_acordarii, data_inc, data_sf) VALUES "
        "(2, 12345674, 1800101221144, 'POPESCU', 'ION', 'CAS_B', '', 'CCMAB', '1234567', '1', "
        "'2026-03-02', '2026-03-02', '2026-03-06'), (3, 12345674, 1800101221144, 'POPESCU', "
        "'ION', 'CAS_B', 'M', 'CCMAB', '1234567', '1', '2026-03-02', '2026-03-02', '2026-03-09')",
        false);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    SnapshotSession session(argv);
    if (!session.StartUp()) return 1;
    CClient& client = session.Client();
    const QString& out = session.Out();
    Fixtures(client);

    QTemporaryDir folder;
    const std::string dir = folder.path().toStdString();
    if (!WriteLeaveFiles(client, "12345674", 2, dir)) return 1;
    const auto before = std::filesystem::last_write_time(dir + "/A2_0326_12345674.dbf");

    // The question is modal: picture it once it is up, then answer "Nu" as its default.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll.stop();
        box->grab().save(out);
        std::printf("question: %dx%d, default button: %s\n", box->width(), box->height(),
                    box->defaultButton()->text().toUtf8().constData());
        box->defaultButton()->click();
    });
    poll.start(50);
    const bool written = WriteLeaveFiles(client, "12345674", 3, dir).has_value();
    const bool unchanged =
        std::filesystem::last_write_time(dir + "/A2_0326_12345674.dbf") == before;
    std::printf("rectifying files written: %s, initial A2 unchanged: %s\n", written ? "da" : "nu",
                unchanged ? "da" : "nu");
    Session::Leave(client, false);
    return 0;
}
