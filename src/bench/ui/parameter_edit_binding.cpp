#include "bench/ui/parameter_edit_binding.h"

#include "platform/handler_guard.h"

namespace korvanta::bench::ui {

void bindParameterEdit(QLineEdit* edit, platform::Messages& messages,
                       std::function<void(const QString&)> store) {
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [&messages, store = std::move(store)](const QString& text) {
                         platform::runGuarded(messages, [&] { store(text); });
                     });
}

} // namespace korvanta::bench::ui
