#pragma once

#include "catalogues/CatalogDescriptor.h"

#include <QDialog>
#include <QVariant>
#include <functional>

class CatalogBrowser;
class Dataset;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class TDBGridNormal;

// The one catalogue window, serving the parishioners, the income and expense
// types and the balance sheet rows through their descriptors. In select mode
// it is a modal picker that returns the key of the chosen row; in catalogue
// mode a modeless window for browsing and editing the list in place.
class TCatalogFrm : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Select, Catalogue };

    // Opens the catalogue's table (throws DbError when it cannot).
    TCatalogFrm(const CatalogDescriptor& descriptor, Mode mode, QWidget* parent = nullptr);
    ~TCatalogFrm() override;

    const CatalogDescriptor& descriptor() const { return m_descriptor; }
    Mode mode() const { return m_mode; }
    Dataset* catalog() const { return m_catalog; }
    TDBGridNormal* grid() const { return m_grid; }
    QComboBox* orderList() const;
    QLineEdit* searchEdit() const;
    QPushButton* editButton() const { return m_editButton; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    bool isEditing() const { return m_editing; }

    // Select mode: in the key order, the row whose key equals `code` becomes
    // current; without one, the row with the lowest key.
    void startAt(const QVariant& code);
    // The key of the current row; null when there is none.
    QVariant currentKey() const;

    // Switches in-place editing on or off (the edit toggle). Switching it off
    // stores the row being edited first; false, with editing left on, when
    // that row is refused.
    bool setEditing(bool on);

    // A command on the current row, as a button on the bottom row: `run` gets
    // the row's key once the row being edited is stored, and returns true when
    // it changed the table, which is then read again. Without a current row
    // the user is told so.
    QPushButton* addRowCommand(const QString& caption, const QString& objectName,
                               const std::function<bool(const QString& key)>& run);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setUpCatalogueMode();
    // Puts the catalogue in the order of the order list's item (0: by key,
    // 1: by name), keeping the current row; true when that order is in force.
    bool applyOrder(int item);
    void ensureNameIndex();
    void search(const QString& text);
    void checkComplete(Dataset& catalog) const;
    void checkKeyUnused(const Dataset& catalog) const;
    void reopen();
    void discardEdits();
    bool rowSelect() const;

    const CatalogDescriptor& m_descriptor;
    const Mode m_mode;
    Dataset* m_catalog = nullptr;
    TDBGridNormal* m_grid = nullptr;
    CatalogBrowser* m_browser = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_editing = false;
    QHBoxLayout* m_bottomRow = nullptr;
};
