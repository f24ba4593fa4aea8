#pragma once

#include "db/Dataset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

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

    // Puts the record into editing; false when it cannot be edited. The
    // control keeps its text, also when this starts a new record.
    bool beginEdit();
    // The user changed the control's text.
    void markModified();
    bool isModified() const { return m_modified; }
    // Writes the typed text into the field when the user changed it. Throws
    // DbError when the field refuses it and SilentAbort when a validator did
    // (it has said why) or when this very refusal was already said in the
    // same turn of the event loop. A refused text stays in the control.
    void commit();
    // The same, showing the field's error instead; false when the text was refused.
    bool commitOrReport();
    // After a refused text: brings the focus back to the control once the
    // focus change under way is over, then runs `then` (to select the text).
    void returnFocus(std::function<void()> then);
    // Shows the field's text again, dropping what was typed.
    void refresh();

private:
    QWidget* m_control;
    Show m_show;
    Read m_read;
    QPointer<Dataset> m_dataset;
    QString m_field;
    void rememberRefusal();

    bool m_modified = false;
    // Set while a refusal has been said in this turn of the event loop, so
    // that leaving the control and the post that follows say it once.
    bool m_refusalSaid = false;
};
