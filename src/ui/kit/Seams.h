#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace qvmd {

// The one way windows show messages, ask questions and open child windows, so that tests can
// answer from a script instead of blocking in a modal loop.
class Seams {
public:
    enum class Icon { Information, Warning, Error, Question };

    virtual ~Seams() = default;

    virtual void message(QWidget* parent, const QString& text, const QString& title, Icon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool ask(QWidget* parent, const QString& text, const QString& title, Icon icon) = 0;
    // The same with No as the answer Enter gives, for a Yes that is not lightly undone.
    virtual bool askDefaultNo(QWidget* parent, const QString& text, const QString& title, Icon icon) {
        return ask(parent, text, title, icon);
    }
    // Shows the dialog modally and returns its result code.
    virtual int showModal(QDialog& dialog) = 0;

    // Ending the program: the window that asks closes itself, and the start routine stops at once.
    void requestEnd() { endRequested_ = true; }
    bool endRequested() const { return endRequested_; }

private:
    bool endRequested_ = false;
};

// The program's seams: real message boxes and modal loops.
class DesktopSeams : public Seams {
public:
    void message(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    bool ask(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    bool askDefaultNo(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    int showModal(QDialog& dialog) override;
};

} // namespace qvmd
