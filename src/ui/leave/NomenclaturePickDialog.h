#pragma once
#include <QDialog>
#include <optional>
#include <string>

#include "leave/NomenclatureLists.h"

class CClient;
class DataListView;
class Prompter;
class QLabel;

// The pick list behind each "lista" button of the certificate editor: one
// nomenclature, code and description, opened on the editor's code. F2, Enter
// or a double click on the selected row hands the row back; Esc hands back
// nothing. Typing searches the codes and descriptions.
class NomenclaturePickDialog : public QDialog {
    Q_OBJECT
public:
    // `presetCode` as the list holds it (see PresetCode).
    NomenclaturePickDialog(CClient& client, Nomenclature nomenclature,
                           const std::string& presetCode, QWidget* parent = nullptr);

    // A list that could not be read is never shown: its error was.
    int exec() override;
    bool Filled() const { return m_filled; }
    // Set once the user picked a row and the dialog closed with OK.
    const std::optional<NomenclaturePick>& Chosen() const { return m_chosen; }
    DataListView* View() const { return m_view; }

    // Opens the list modally; the pick, or nothing when cancelled.
    [[nodiscard]] static std::optional<NomenclaturePick> Pick(CClient& client,
                                                              Nomenclature nomenclature,
                                                              const std::string& presetCode,
                                                              QWidget* parent = nullptr);

public slots:
    void PickSelected();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Prompter& m_prompter;
    DataListView* m_view;
    QLabel* m_countLine;
    int m_presetRow = -1;
    bool m_filled = false;
    std::optional<NomenclaturePick> m_chosen;
};
