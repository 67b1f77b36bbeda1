#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Outcome.h"
#include "base/RecordColumns.h"

class CClient;
class DataList;
class Prompter;

// The monthly medical-leave declarations of a company: one initial
// declaration per month ("NU"), then rectifying ones ("DA") numbered 1, 2 ...
// A declaration is frozen once a later rectifying one of its month exists.

struct DeclarationRecord {
    std::string index;
    std::string cf;
    std::string luna;           // YYYYMM
    std::string rectificativa;  // "NU" or "DA"
    std::string rectifNr;       // 0 for the initial declaration
    std::string zileLucratoare;
    std::string nrAng;  // D
    std::string salariulMinim;
    std::string fondDeSalarii;        // E
    std::string contributiiDatorate;  // F
    std::string faambp;               // G
    std::string faambpDatorat;        // H
    std::string deRecuperatAnterior;  // K

    bool Rectifying() const { return rectificativa == "DA"; }
    // "initiala" or "rectificativa", as the editors name the type.
    std::string TypeText() const { return Rectifying() ? "rectificativa" : "initiala"; }
};

// What a new declaration of a month becomes.
struct DeclarationType {
    bool rectifying = false;
    long long number = 0;     // the rectification number; 0 for an initial one
    long long rectifies = 0;  // the key of the declaration it corrects; 0 for an initial one
};

namespace DeclarationMessages {
inline constexpr const char* kLocked =
    "Exista cel putin o alta declaratie rectificativa ulterioara acesteia, in aceeasi luna!";
inline constexpr const char* kCannotModify = "\n\nNu poti modifica declaratia curenta.";
inline constexpr const char* kCannotDelete = "\n\nNu poti sterge declaratia selectata.";
inline constexpr const char* kNoCertificateAdd = "\n\nNu mai poti adauga concedii medicale.";
inline constexpr const char* kNoCertificateModify = "\n\nNu mai poti modifica concedii medicale.";
inline constexpr const char* kNoCertificateDelete = "\n\nNu mai poti sterge concedii medicale.";
inline constexpr const char* kSelectCompanyToAdd =
    "Trebuie sa selectezi o societate pentru a-i adauga o declaratie!";
inline constexpr const char* kSelectToModify =
    "Trebuie sa selectezi o declaratie pentru a o modifica!";
inline constexpr const char* kSelectToDelete =
    "Trebuie sa selectezi o declaratie pentru a o sterge!";
inline constexpr const char* kSelectToAddCertificate =
    "Trebuie sa selectezi o declaratie pentru a aduga un concediu medical!";
}  // namespace DeclarationMessages

class DeclarationRegister {
public:
    explicit DeclarationRegister(CClient& client) : m_client(client) {}
    CClient& Client() { return m_client; }

    // The typed fields of the declaration editor.
    static std::span<const RecordColumn<DeclarationRecord>> Columns();

    // The company's declarations by month, the initial one of a month first.
    Outcome FillList(DataList& list, const std::string& cf);
    static long long KeyAt(const DataList& list, int row);
    // Where a new declaration of `month` (YYYYMM) goes: after the rows of
    // its own and earlier months.
    static int InsertPosition(const DataList& list, long long month);
    // Shows a new declaration in a new row at its position; answers the row.
    static int InsertListRow(DataList& list, const DeclarationRecord& declaration);

    // Nothing when the statement failed or found no row.
    [[nodiscard]] std::optional<DeclarationRecord> Load(long long index);
    // Whether the declaration `index` is stored; nothing when the look-up
    // failed (shown).
    [[nodiscard]] std::optional<bool> Exists(long long index);
    // The key of the company's declaration of `luna`: the initial one for
    // rectification number 0, else the rectifying one of that number; 0 when
    // there is none, nothing when the look-up failed (shown).
    [[nodiscard]] std::optional<long long> FindIndex(const std::string& cf, const std::string& luna,
                                                     long long rectifNr);
    // Whether a later rectifying declaration of the same month exists.
    [[nodiscard]] std::optional<bool> HasLaterRectification(const DeclarationRecord& declaration);
    // Stops, with the lock message and `tail`, when the declaration is
    // frozen; stops silently when it cannot be read.
    Outcome CheckOpen(long long index, std::string_view tail);

    // The lock, two questions, then its certificates and itself in one
    // transaction.
    Outcome Delete(long long index);

    // The ten lines D to N of the summary pane; nothing when the declaration
    // cannot be read.
    [[nodiscard]] std::optional<std::vector<std::string>> SummaryLines(long long index);

    // The editor's look-ups for a typed month.
    [[nodiscard]] std::optional<DeclarationType> DecideType(const std::string& cf, int year,
                                                            int month);
    // The minimum wage in force on the first day of the month; empty when no
    // period covers it.
    [[nodiscard]] std::optional<std::string> MinimumWage(int year, int month);

    // The editor's checks in their order, then the write. `modifyIndex` 0
    // adds; the outcome carries the key.
    Outcome Save(const DeclarationRecord& record, long long modifyIndex);

private:
    Outcome CheckBeforeSave(const DeclarationRecord& record, long long modifyIndex);
    [[nodiscard]] std::optional<bool> HasLaterThan(const std::string& cf, const std::string& luna,
                                                   const std::string& rectifNr);

    CClient& m_client;
};
