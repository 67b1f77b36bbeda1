// Renders a coloured, sorted list with a selected row and an empty list to PNG
// files, so the painting can be looked at: datalist_snapshots <folder>.
#include <QApplication>
#include <QDir>

#include "ui/DataListView.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();

    DataListView list;
    list.resize(700, 200);
    list.AppendColumn("Nume si prenume", "C", 150);
    list.AppendColumn("CNP", "C", 110);
    list.AppendColumn("Intrare", "N", 85, DisplayKind::Date);
    list.AppendColumn("Luna", "N", 65, DisplayKind::Month);
    list.AppendColumn("Salariu", "N", 90, DisplayKind::Amount);
    list.AppendColumn("Datorat", "N", 70, DisplayKind::Number);
    list.AppendColumn("Observatii", "C", 60);
    const char* rows[][7] = {
        {"POPESCU ION", "1800101123456", "20090501", "200905", "1234.5", "1234567", ""},
        {"IONESCU MARIA", "2850202123456", "20080115", "200905", "900", "90", "lichidat"},
        {"STAN\xC3 ANA", "2900303123456", "2009-05-01", "200905", "12345678", "-1000",
         "angajat in luna curenta"},
        {"DUMITRESCU VASILE", "1750404123456", "20000101", "200905", "-5", "7", ""},
        {"GHEORGHE ELENA", "2700505123456", "19991231", "200905", "", "0", "x"},
    };
    for (const auto& r : rows) {
        const int row = list.AddRow(r[0]);
        for (int c = 1; c < 7; ++c) list.List().SetCellTextAt(row, c, r[c]);
    }
    list.SetRowTextColour(1, Colour{255, 0, 0});
    list.SetRowTextColour(2, Colour{0, 127, 0});
    list.EnableSorting(true);
    list.ClickHeader(4, false);
    list.SelectRow(2, false);
    list.grab().save(folder + "/datalist_filled.png");

    DataListView empty;
    empty.resize(640, 160);
    empty.AppendColumn("Nume", "C", 200);
    empty.AppendColumn("Suma", "N", 100, DisplayKind::Amount);
    empty.grab().save(folder + "/datalist_empty.png");

    empty.setEnabled(false);
    empty.grab().save(folder + "/datalist_disabled.png");
    return 0;
}
