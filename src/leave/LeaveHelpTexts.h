#pragma once

// The HTML help the certificate editor shows over its day and amount fields
// and their labels. "\t" is a tab, rendered as white space. From December 2006
// the split counts calendar days from the start of the leave: the employer
// pays the working days among the first five, FNUASS the working days after.
namespace LeaveHelp {

inline constexpr const char* kEmployerDays =
    "<h3>Zile suportate de catre angajator</h3><br><hr>\t\t<br>"
    "<b>Pentru declaratia lunilor 01.2006 - 11.2006:</b>\t\t<br>"
    "    - intre 1 si 20 de salariati: primele 7 zile lucratoare\t\t<br>"
    "    - intre 21 si 100 de salariati: primele 12 zile lucratoare\t\t<br>"
    "    - peste 100 de salariati: primele 17 zile lucratoare\t\t<br>"
    "<b>Incepand cu declaratia lunii 12.2006:</b>\t\t<br>"
    "    - zilele lucratoare dintre primele 5 zile calendaristice ale concediului\t\t<br><br>"
    "pentru codurile de indemnizatie 8, 9, 10 si 15: nu se suporta de catre "
    "angajator\t\t<br>"
    "pentru codurile de indemnizatie 2, 3 si 4: nu se suporta de catre angajator sau "
    "din FNUASS\t\t<br>"
    "<br><font color=#ff0000>pentru concedii \"in continuare\", nu se pot calcula automat";

inline constexpr const char* kFnuassDays =
    "<h3>Zile suportate din FNUASS</h3><br><hr>\t\t<br>"
    "<b>Pentru declaratia lunilor 01.2006 - 11.2006:</b>\t\t<br>"
    "    - intre 1 si 20 de salariati: toate zilele lucratoare incepand cu cea de-a "
    "8-a\t\t<br>"
    "    - intre 21 si 100 de salariati: toate zilele lucratoare incepand cu cea "
    "de-a 13-a\t\t<br>"
    "    - peste 100 de salariati: toate zilele lucratoare incepand cu cea de-a "
    "18-a\t\t<br>"
    "<b>Incepand cu declaratia lunii 12.2006:</b>\t\t<br>"
    "    - zilele lucratoare incepand cu a 6-a zi calendaristica a concediului\t\t<br><br>"
    "  - pentru codurile de indemnizatie 8, 9, 10 si 15: <b>toate</b> zilele "
    "lucratoare din perioada concediului\t\t<br>"
    "  - pentru codurile de indemnizatie 2, 3 si 4: nu se suporta de catre angajator "
    "sau din FNUASS\t\t<br>"
    "<br><font color=#ff0000>pentru concedii \"in continuare\", nu se pot calcula automat";

inline constexpr const char* kEmployerAmount =
    "<h3>Suma suportata de catre angajator</h3><br><hr>\t\t<br>"
    "=  zile suportate de catre angajator *<br>"
    "      media zilnica a bazei de calcul *<br>"
    "      coeficientul procentual aferent codului de indemnizatie";

inline constexpr const char* kFnuassAmount =
    "<h3>Suma suportata din FNUASS</h3><br><hr>\t\t<br>"
    "= zile suportate de catre FNUASS *<br>      media zilnica a bazei de calcul *<br>"
    "      coeficientul procentual aferent codului de indemnizatie\t\t<br><br>"
    "pentru codul de indemnizatie 10, algoritm special:\t\t<br>"
    " - suma veniturilor din ultimele 6 luni: SUMA_V (ex.: 2906 lei)\t\t<br>"
    " - numarul de zile aferente veniturilor realizate in ultimele 6 luni: NTZ (ex: "
    "122 de zile)\t\t<br>"
    " - venitul salarial brut realizat prin reducerea timpului de munca: VEN_RED "
    "(ex: 375 de lei)\t\t<br>"
    " - MNTZ = NTZ / 6 = 20.33 (media zilelor lucratoare din ultimele 6 luni din "
    "care se constituie baza de calcul)\t\t<br>"
    " - Bcli = SUMA_V / NTZ x MNTZ = 484.2539\t\t<br>"
    " - Bmax = Bcli x 25% = 121.0635\t\t<br> - Ci = Bcli - VEN_RED = 109.2539\t\t<br>"
    "Suma finala suportata din FNUASS este Ci (109 lei), dar nu mai mare decat Bmax "
    "(121 de lei).";

}  // namespace LeaveHelp
