#pragma once

#include "print/DisplayedLines.h"
#include "print/DisplayedText.h"

#include <QPlainTextEdit>

#include <optional>

// A multi-line box for the ingredients or the directions: wraps words at its width, scrolls only
// vertically, and Tab moves on to the next control. Fields keep CR LF line breaks while Qt's
// text uses LF, so they are converted at the box; a field shown and not edited is handed back
// exactly as it was set, whatever line breaks it held.
//
// For printing, the box answers for the text as it holds it (each line break as CR LF) and for
// its lines as it lays them out on screen, at its own width and font, also while it is hidden.
class FieldTextEdit : public QPlainTextEdit, public DisplayedText
{
    Q_OBJECT

public:
    explicit FieldTextEdit(QWidget *parent = nullptr);

    void setFieldText(const QString &text);
    QString fieldText() const;

    QString text() override;
    qint32 lineCount() override;
    qint32 lineIndex(qint16 line) override;
    qint32 lineLength(qint16 index) override;

signals:
    void edited(); // by the user

private:
    const DisplayedLines &displayedLines();
    void handlePendingResize();
    void layOutAllBlocks();

    QString m_shown;
    bool m_settingText = false;
    std::optional<DisplayedLines> m_lines; // reset whenever the text changes
    qreal m_linesWidth = -1;
    QFont m_linesFont;
};
