#pragma once
// Connects a bench-test edit so that every change of its text is stored under the handler guard.

#include "platform/messages.h"

#include <QLineEdit>
#include <functional>

namespace korvanta::bench::ui {

// `store` runs on every change of the edit's text; a conversion error it throws ends that change
// and is shown through `messages`, leaving the stored value as it was.
void bindParameterEdit(QLineEdit* edit, platform::Messages& messages,
                       std::function<void(const QString&)> store);

} // namespace korvanta::bench::ui
