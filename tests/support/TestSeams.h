#pragma once

#include "ui/kit/Seams.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace qvmd::test {

// Records every message and child window; answers questions and runs child windows from a script.
class TestSeams : public Seams {
public:
    struct Message {
        QString text;
        QString title;
        Icon icon;
        Default answer = Default::Yes; // the button Enter would press, for questions
    };
    using DialogScript = std::function<int(QDialog&)>;

    std::vector<Message> messages;
    std::vector<Message> questions;
    QStringList openedWindows; // objectName of every dialog shown, in order
    std::deque<bool> answers;  // answers to ask(), front first; No when empty

    void message(QWidget*, const QString& text, const QString& title, Icon icon) override {
        messages.push_back({text, title, icon});
    }

    bool ask(QWidget*, const QString& text, const QString& title, Icon icon,
             Default enterAnswers = Default::Yes) override {
        questions.push_back({text, title, icon, enterAnswers});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Runs the script for the dialog's objectName; without one the dialog is rejected unseen.
    int showModal(QDialog& dialog) override {
        openedWindows.append(dialog.objectName());
        auto script = scripts.find(dialog.objectName());
        if (script == scripts.end())
            return QDialog::Rejected;
        return script->second(dialog);
    }

    void onWindow(const QString& objectName, DialogScript script) { scripts[objectName] = std::move(script); }

    QString lastMessageText() const { return messages.empty() ? QString() : messages.back().text; }

private:
    std::map<QString, DialogScript> scripts;
};

} // namespace qvmd::test
