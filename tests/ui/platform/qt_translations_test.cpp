#include "platform/ui/qt_translations.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace korvanta::platform::ui {
namespace {

TEST(QtTranslations, QuestionsAndTheFileDialogSpeakPolish) {
    QTranslator* translator = installQtTranslations(*qApp);
    ASSERT_NE(translator, nullptr) << "qtbase_pl is not installed";
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), "Tak");
        EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), "Nie");
        EXPECT_NE(QFileDialog::tr("Look in:"), "Look in:");
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

} // namespace
} // namespace korvanta::platform::ui
