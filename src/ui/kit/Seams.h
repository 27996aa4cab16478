#pragma once

#include <QString>

#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

namespace qvmd {

// The one way windows show messages, ask questions and open child windows, so that tests can
// answer from a script instead of blocking in a modal loop.
class Seams {
public:
    enum class Icon { Information, Warning, Error, Question, None };
    // The button that Enter presses in a question.
    enum class Default { Yes, No };

    virtual ~Seams() = default;

    virtual void message(QWidget* parent, const QString& text, const QString& title, Icon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool ask(QWidget* parent, const QString& text, const QString& title, Icon icon,
                     Default answer = Default::Yes) = 0;
    // Shows the dialog modally and returns its result code.
    virtual int showModal(QDialog& dialog) = 0;

    // Ending the program: the window that asks closes itself, and the start routine stops at once.
    void requestEnd() { endRequested_ = true; }
    bool endRequested() const { return endRequested_; }

private:
    bool endRequested_ = false;
};

// The question box as the program shows it, built apart so that its buttons can be tried.
std::unique_ptr<QMessageBox> makeQuestionBox(QWidget* parent, const QString& text, const QString& title,
                                             Seams::Icon icon, Seams::Default answer);

// The program's seams: real message boxes and modal loops.
class DesktopSeams : public Seams {
public:
    void message(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    bool ask(QWidget* parent, const QString& text, const QString& title, Icon icon,
             Default answer = Default::Yes) override;
    int showModal(QDialog& dialog) override;
};

} // namespace qvmd
