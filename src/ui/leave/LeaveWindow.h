#pragma once
#include <QWidget>
#include <array>

#include "health/CompanyRegister.h"
#include "leave/CertificateRegister.h"
#include "leave/DeclarationRegister.h"

class CClient;
class ColourLabel;
class CompanyList;
class DataListView;
class KeyActions;
class LinkedLists;
class QLabel;

// The medical-leave window: the company list, the selected company's monthly
// declarations with the summary of the selected one, and its certificates.
class LeaveWindow : public QWidget {
    Q_OBJECT
public:
    explicit LeaveWindow(CClient& client, QWidget* parent = nullptr);

    CompanyList* Companies() const { return m_companies; }
    DataListView* Declarations() const;
    DataListView* Certificates() const;
    KeyActions* Keys() const { return m_keys; }

public slots:
    void AddDeclaration();
    void ModifyDeclaration();
    void DeleteDeclaration();
    void AddCertificate();
    void ModifyCertificate();
    void DeleteCertificate();
    void PrintDeclaration();
    void SaveReportFiles();

private:
    QWidget* BuildCompanyBox();
    QWidget* BuildSummary();
    QWidget* BuildDeclarationButtons();
    QWidget* BuildCertificateButtons();
    QWidget* BuildBottom();
    void ShareTheRoom();
    void OnCompanyChanged(bool force);
    long long SelectedDeclarationKey() const;
    // The printout in the page preview, or saved as a PDF file.
    void OutputDeclaration(bool toFile);
    void ShowSummary();
    // The key of the selected declaration; 0 (after `message`) without one.
    long long SelectedDeclaration(const char* message);
    // The selected declaration and company, as the certificate editor takes
    // them; nothing when the declaration is frozen (after `lockTail`'s
    // message) or cannot be read.
    [[nodiscard]] std::optional<CertificateContext> OpenCertificateContext(long long declaration,
                                                                           const char* lockTail);
    // Opens the certificate editor; the key it saved, 0 on cancel.
    long long EditCertificate(const CertificateContext& context, long long certificate);

    CClient& m_client;
    CompanyRegister m_companyRegister;
    DeclarationRegister m_declarations;
    CertificateRegister m_certificates;
    KeyActions* m_keys;
    CompanyList* m_companies;
    ColourLabel* m_currentCompany;
    std::array<QLabel*, 10> m_summary{};
    LinkedLists* m_lists;
    // The company the lists show: rows move with sorts and deletes.
    long long m_shownCompany = -1;
};
