#include "forms/message_boxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>

#include "app/product.h"

namespace zor {
namespace {

constexpr const char* kTitleProperty = "zorApplicationTitle";

// Restores the normal cursor while a box is up.
class NormalCursor {
 public:
  NormalCursor() : overridden_(QGuiApplication::overrideCursor() != nullptr) {
    if (overridden_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursor() {
    if (overridden_) QGuiApplication::restoreOverrideCursor();
  }
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;

 private:
  bool overridden_;
};

int Run(QWidget* parent, QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton def) {
  NormalCursor cursor;
  QMessageBox box(icon, ApplicationTitle(), text, buttons, parent);
  box.setDefaultButton(def);
  return box.exec();
}

}  // namespace

void SetApplicationTitle(const QString& title) {
  if (qApp) qApp->setProperty(kTitleProperty, title);
}

QString ApplicationTitle() {
  const QVariant title = qApp ? qApp->property(kTitleProperty) : QVariant();
  return title.isValid() ? title.toString() : QString::fromUtf8(kProductNameUtf8);
}

void InfoBox(QWidget* parent, const QString& text) {
  Run(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void WarningBox(QWidget* parent, const QString& text) {
  Run(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ErrorBox(QWidget* parent, const QString& text) {
  Run(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool ConfirmYesCancel(QWidget* parent, const QString& text) {
  return Run(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes) ==
         QMessageBox::Yes;
}

bool ConfirmYesNo(QWidget* parent, const QString& text) {
  return Run(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
         QMessageBox::Yes;
}

void SilenceableWarnings::Show(QWidget* parent, const QString& key, const QString& text) {
  if (IsSilenced(key)) return;
  NormalCursor cursor;
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(), text, QMessageBox::Ok, parent);
  // The face of these boxes is the button face darkened by 40 per channel.
  QColor face = box.palette().color(QPalette::Button);
  QPalette pal = box.palette();
  pal.setColor(QPalette::Window,
               QColor(qMax(0, face.red() - 40), qMax(0, face.green() - 40), qMax(0, face.blue() - 40)));
  box.setPalette(pal);
  box.setAutoFillBackground(true);
  auto* check = new QCheckBox(QStringLiteral("今回作業中このメッセージを表示しない"), &box);
  box.setCheckBox(check);
  box.exec();
  if (check->isChecked()) silenced_.append(key);
}

}  // namespace zor
