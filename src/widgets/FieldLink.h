#pragma once

#include "db/Dataset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

struct FieldInfo;
class QWidget;

// Binds one control to one field of a record source: shows the field's text
// whenever the record moves or changes, puts the record into editing when
// the user types, and writes the typed text back into the field when the
// control is left or the record is posted.
class FieldLink : public QObject
{
    Q_OBJECT
public:
    using Show = std::function<void(const QString&)>;
    using Read = std::function<QString()>;

    FieldLink(QWidget* control, Show show, Read read);

    void bind(Dataset* dataset, const QString& field);
    Dataset* dataset() const { return m_dataset; }
    QString field() const { return m_field; }
    const FieldInfo* fieldInfo() const; // null when unbound or closed
    bool isBound() const { return m_dataset && !m_field.isEmpty(); }

    // Puts the record into editing; false when it cannot be edited.
    bool beginEdit();
    // The user changed the control's text.
    void markModified() { m_modified = true; }
    bool isModified() const { return m_modified; }
    // Writes the typed text into the field when the user changed it. Throws DbError.
    void commit();
    // The same, showing the field's error instead; false when the text was refused.
    bool commitOrReport();
    // Shows the field's text again, dropping what was typed.
    void refresh();

private:
    QWidget* m_control;
    Show m_show;
    Read m_read;
    QPointer<Dataset> m_dataset;
    QString m_field;
    bool m_modified = false;
};
