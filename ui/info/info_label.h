#pragma once

#include <QLabel>
#include <QString>

// One line (or paragraph) of an information window: black plain text over the window's
// gradient, wrapped at its fixed width, and as high as its text makes it.
//
// The caption is kept exactly as the program sets it, with CR LF line breaks; the label
// shows each CR LF as a line break. Blanks are shown as they are, never trimmed.
class InfoLabel : public QLabel {
    Q_OBJECT

public:
    explicit InfoLabel(QWidget* parent = nullptr);

    // The text as the program set it, line breaks as CR LF.
    const QString& caption() const { return m_caption; }

    // Sets the text and fits the height to it at the label's present width; an empty text
    // or a single blank still takes one full line.
    void setCaption(const QString& caption);

protected:
    void changeEvent(QEvent* event) override;

private:
    void fitHeightToText();

    QString m_caption;
};
