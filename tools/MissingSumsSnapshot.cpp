// Pictures of the missing-sums question of step 4, the carry-forward notice
// and the step-3 proposal: missing_sums_snapshot INSTALLATION PORT OUT_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include "SnapshotSession.h"
#include "db/CClient.h"
#include "ui/DataListView.h"
#include "ui/health/AnnexFilesWindow.h"
#include "ui/health/EmployeeSumsWindow.h"
#include "ui/health/EmployerSumsWindow.h"

namespace {

// Grabs the next modal box into `file`, then closes it with `key`.
void GrabNextModal(const QString& file, Qt::Key key) {
    QTimer::singleShot(300, [file, key] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        modal->grab().save(file);
        QTest::keyClick(modal, key);
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    SnapshotSession session(argv);
    if (!session.StartUp()) return 1;
    CClient& client = session.Client();
    const QString& out = session.Out();
    for (const char* sql : {"DELETE FROM asigurati.societati", "DELETE FROM asigurati.asigurati",
                            "DELETE FROM asigurati.sume", "DELETE FROM asigurati.sume_societati"})
        (void)client.Query(sql, false);
    (void)client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
        "(12345674, 'ALFA CONSTRUCT SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB')",
        false);
    (void)client.Query(
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES (12345674, 'CASAB', 'ALBU', 'ANA', 2800101000000, 20080101, 0, 'S'),(12345674, "
        "'CASAB', 'BARBU', 'ANA', 2800101000001, 20080101, 0, 'S'),(12345674, 'CASAB', 'CIOBANU', "
        "'ANA', 2800101000002, 20080101, 0, 'S'),(12345674, 'CASAB', 'DOBRE', 'ANA', "
        "2800101000003, 20080101, 0, 'S'),(12345674, 'CASAB', 'ENE', 'ANA', 2800101000004, "
        "20080101, 0, 'S'),(12345674, 'CASAB', 'FLOREA', 'ANA', 2800101000005, 20080101, 0, "
        "'S'),(12345674, 'CASAB', 'GHEORGHE', 'ANA', 2800101000006, 20080101, 0, 'S'),(12345674, "
        "'CASAB', 'HOSU', 'ANA', 2800101000007, 20080101, 0, 'S'),(12345674, 'CASAB', 'IONESCU', "
        "'ANA', 2800101000008, 20080101, 0, 'S'),(12345674, 'CASAB', 'JITARU', 'ANA', "
        "2800101000009, 20080101, 0, 'S'),(12345674, 'CASAB', 'LUPU', 'ANA', 2800101000010, "
        "20080101, 0, 'S'),(12345674, 'CASAB', 'MARIN', 'ANA', 2800101000011, 20080101, 0, "
        "'S'),(12345674, 'CASAB', 'NEAGU', 'ANA', 2800101000012, 20080101, 0, 'S')",
        false);
    // ALBU and BARBU have January's sums; nobody has February's yet.
    (void)client.Query(
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "SELECT `index`, cf, cnp, 200901, 2500, 138, 138 FROM asigurati.asigurati WHERE nume IN "
        "('ALBU', 'BARBU')",
        false);

    // Step 4 before the files: the question, answered "Nu".
    {
        AnnexFilesWindow window(client, "200902");
        window.show();
        auto* companies = window.findChild<DataListView*>("companyList");
        companies->SelectRow(0, true);
        app.processEvents();
        auto* houses = window.findChild<DataListView*>("houseList");
        houses->SelectRow(0, true);
        app.processEvents();
        GrabNextModal(out + "/missing-question.png", Qt::Key_Escape);
        window.SaveFiles();
    }
    // Step 2: the carry-forward gives zeros to eleven of them.
    {
        EmployeeSumsWindow window(client, "200902");
        window.show();
        auto* companies = window.findChild<DataListView*>("companyList");
        companies->SelectRow(0, true);
        app.processEvents();
        QTimer::singleShot(300, [out] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            modal->grab().save(out + "/carry-question.png");
            for (auto* button : modal->findChildren<QAbstractButton*>())
                if (button->text() == "&Da") button->click();
        });
        QTimer::singleShot(900, [out] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            modal->grab().save(out + "/carry-zeros.png");
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QTest::keyClick(&window, Qt::Key_F8);
        app.processEvents();
        window.grab().save(out + "/step2-after-carry.png");
    }
    // February's fund is now ALBU's and BARBU's 2500 each: step 3 proposes it.
    {
        EmployerSumsWindow window(client, "200902");
        window.show();
        window.findChild<DataListView*>("companyList")->SelectRow(0, true);
        app.processEvents();
        QTimer::singleShot(300, [out] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            modal->grab().save(out + "/step3-proposal.png");
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        window.ModifySums();
    }
    return 0;
}
