#pragma once
#include <QDialog>

#include "health/CoInsuredRegister.h"
#include "health/CompanyRegister.h"
#include "health/InsuredRegister.h"

class CClient;
class DataList;
class KeyActions;
class LinkedLists;
class QPushButton;

// "Vizualizarea listei de asigurati": the insured records of one company,
// filtered as the health window asks, with the dependants of the selected
// person below and the commands that change a record in place.
class InsuredListWindow : public QDialog {
    Q_OBJECT
public:
    InsuredListWindow(CClient& client, const CompanyRow& company, InsuredFilter filter,
                      QWidget* parent = nullptr);

    // A list that could not be read is never shown: its message was.
    int exec() override;

public slots:
    void ModifyInsured();
    void LiquidateInsured();
    void DeleteInsured();
    void ChangeEmployment(ChangeKind kind);
    void AddCoInsured();
    void ModifyCoInsured();
    void DeleteCoInsured();

private:
    QLayout* BuildHeading(InsuredFilter filter);
    QWidget* BuildLegend();
    QWidget* BuildInsuredButtons();
    QWidget* BuildCoInsuredButtons();
    QWidget* BuildNotes();
    void SetTabOrder();
    void FitToScreen();
    DataList& Insured();
    // The selected row, or -1 after telling the user to select one.
    int RequireRow(const char* message);
    // The open record of the selected row, or nothing after telling why.
    [[nodiscard]] std::optional<LoadedInsured> RequireOpenRecord(const char* selectMessage,
                                                                 const char* liquidatedMessage);
    void OpenCoInsuredForm(const InsuredRecord& person, const CoInsuredRecord& dependant,
                           const CoInsuredEdit& edit);

    CompanyRow m_company;
    InsuredRegister m_insured;
    CoInsuredRegister m_coInsured;
    KeyActions* m_keys;
    LinkedLists* m_lists;
    QWidget* m_insuredButtons = nullptr;
    QWidget* m_coInsuredButtons = nullptr;
    QPushButton* m_closeButton = nullptr;
    bool m_filled = false;
};
