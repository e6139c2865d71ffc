#include "app/window/error_box.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace dialectic {

QString ErrorBoxText(std::string_view what) {
  QString text = QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()));
  if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
  return text;
}

void ShowErrorBox(QWidget* parent, std::string_view what) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                  ErrorBoxText(what), QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace dialectic
