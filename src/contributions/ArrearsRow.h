#pragma once

#include <QString>
#include <optional>

namespace Contributions
{

// One parishioner's contribution at a reference date.
struct ArrearsRow {
    QString code;   // Cod_enorias
    QString name;   // Nume_prenume
    QString street; // Strada
    QString number; // Nr
    QString contributionType;
    std::optional<double> carried; // Restanta: arrears of the closed years, none when null
    std::optional<double> paid;    // Achitat: none when there is no payment up to the date
    double due = 0;                // Cuvenita: carried + the yearly amount
    double rest = 0;               // Rest: due - paid; negative for a family that paid more
    QString composedName;          // "name (code)", for reports that tell namesakes apart

    bool owes() const;
};

} // namespace Contributions
