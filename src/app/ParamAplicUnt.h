#pragma once

#include <QDialog>

class Dataset;
class QCheckBox;
class TDBEditNormal;
class TDBGridNormal;
struct ProgramOptions;

// "Configurarea modului de lucru cu programul": the parameters record
// (opening balances, candle prices and stock, the special income and expense
// codes), the document kinds, the installation's switches and the photo.
class TParamAplicFrm : public QDialog
{
    Q_OBJECT
public:
    static inline const QString photoDialogTitle = QStringLiteral("Selectati poza pentru personalizare");
    static inline const QString photoFilter = QStringLiteral("JPEG Image File (*.jpg)");

    // Opens the two tables; throws DbError when it cannot. `options` are the
    // program's switches, changed on "&Valideaza".
    TParamAplicFrm(ProgramOptions& options, QWidget* parent = nullptr);

    // The command "Sistem" > "Parametri aplicatiei".
    static void execute(ProgramOptions& options, QWidget* parent);

    Dataset* parameters() const { return m_contor; }
    Dataset* documentKinds() const { return m_kinds; }
    TDBEditNormal* edit(const QString& field) const;
    TDBGridNormal* kindsGrid() const { return m_grid; }
    QCheckBox* compoundNamesBox() const { return m_compoundNames; }
    QCheckBox* checkVersionBox() const { return m_checkVersion; }
    QCheckBox* dailyBackupBox() const { return m_dailyBackup; }
    QCheckBox* printReceiptBox() const { return m_printReceipt; }

    void accept() override;
    void reject() override;

    // The "..." button: replaces poza.jpg with a picture the user chooses.
    void choosePhoto();

private:
    ProgramOptions& m_options;
    Dataset* m_contor;
    Dataset* m_kinds;
    QList<TDBEditNormal*> m_edits;
    TDBGridNormal* m_grid;
    QCheckBox* m_compoundNames;
    QCheckBox* m_checkVersion;
    QCheckBox* m_dailyBackup;
    QCheckBox* m_printReceipt;
};
