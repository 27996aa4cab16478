#pragma once

#include <QString>

namespace qvmd {

// How the engine shows its errors: the print window binds it to its message seams, since the engine
// cannot show anything itself.
class PrintErrorReporter {
public:
    virtual ~PrintErrorReporter() = default;
    // A critical message box with its title.
    virtual void critical(const QString& title, const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const QString& title, const QString& question) = 0;
};

} // namespace qvmd
