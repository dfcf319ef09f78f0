#include "ui/app/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* AddLabel(QVBoxLayout* layout, const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  layout->addWidget(label);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("О программе"));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* icon = new QLabel(panel);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(QIcon(QStringLiteral(":/icons/tornel.svg")).pixmap(64, 64));
  icon->setAlignment(Qt::AlignTop);

  auto* texts = new QVBoxLayout;
  QLabel* product = AddLabel(texts, QStringLiteral("TornelAD"), "ProductName", panel);
  QFont big = product->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.6);
  product->setFont(big);
  AddLabel(texts, QStringLiteral("Версия 3.0"), "Version", panel);
  AddLabel(texts,
           QStringLiteral("Программа ввода и обработки\nданных с универсального\n"
                          "лабораторного стенда"),
           "Comments", panel);
  auto* credits = new QFrame(panel);
  credits->setObjectName(QStringLiteral("CreditsPanel"));
  credits->setFrameShape(QFrame::Panel);
  credits->setFrameShadow(QFrame::Sunken);
  auto* creditsLayout = new QVBoxLayout(credits);
#ifdef TORNEL_HAVE_COMEDI
  const QString libraries = QStringLiteral("Qt %1 и comedilib").arg(QLatin1String(qVersion()));
#else
  const QString libraries = QStringLiteral("Qt %1").arg(QLatin1String(qVersion()));
#endif
  AddLabel(creditsLayout,
           QStringLiteral("Лаборатория электропривода\n"
                          "Разработка и сопровождение: команда TornelAD\n"
                          "Построено на ") +
               libraries,
           "Copyright", credits);
  texts->addWidget(credits);
  texts->addStretch();

  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(icon);
  panelLayout->addLayout(texts, 1);

  auto* ok = new QPushButton(QStringLiteral("ОК"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}
