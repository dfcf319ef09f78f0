#include "tests/ui/support/text_fit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QtMath>
#include <algorithm>

namespace tornel::testing {
namespace {

QString Name(const QWidget* w) {
  const QString name = w->objectName();
  return QString::fromLatin1(w->metaObject()->className()) +
         (name.isEmpty() ? QString() : QStringLiteral(" ") + name);
}

// What the user reads: blanks that end a line show nothing, and a single
// "&" marks a shortcut and is not drawn.
QString Inked(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    while (line.endsWith(QLatin1Char(' '))) line.chop(1);
  }
  return lines.join(QLatin1Char('\n'));
}

QString Shown(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return Inked(text);
}

class Checker {
public:
  explicit Checker(QWidget* window) : window_(window) {}

  void Run() {
    CheckTitle();
    CheckVisible();
    // Pages of a tab widget are seen one at a time; the current page is put back.
    for (QTabWidget* tabs : window_->findChildren<QTabWidget*>()) {
      if (!tabs->isVisible()) continue;
      const int current = tabs->currentIndex();
      for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        CheckVisible();
      }
      tabs->setCurrentIndex(current);
    }
  }

  QStringList Found() const { return found_; }

private:
  void Report(const QWidget* w, const QString& text, QSize need, QSize room,
              const QString& note = QString()) {
    const QString line =
        QStringLiteral("%1: %2 \"%3\"%4 needs %5x%6, has %7x%8")
            .arg(window_->windowTitle().isEmpty() ? Name(window_) : window_->windowTitle(), Name(w),
                 text, note)
            .arg(need.width())
            .arg(need.height())
            .arg(room.width())
            .arg(room.height());
    if (!found_.contains(line)) found_.append(line);
  }

  void Compare(const QWidget* w, const QString& text, QSize need, QSize room) {
    if (need.width() > room.width() || need.height() > room.height()) Report(w, text, need, room);
  }

  // A dialog's frame shows its title beside an icon and one to three
  // buttons; 100 pixels leave room for them on the common window managers.
  void CheckTitle() {
    if (qobject_cast<QDialog*>(window_) == nullptr || window_->windowTitle().isEmpty()) return;
    const QFontMetrics fm(QApplication::font("QMdiSubWindowTitleBar"));
    constexpr int kFrameRoom = 100;
    Compare(window_, window_->windowTitle(),
            QSize(fm.horizontalAdvance(window_->windowTitle()) + kFrameRoom, 0),
            QSize(window_->width(), 0));
  }

  void CheckVisible() {
    QList<QWidget*> widgets = window_->findChildren<QWidget*>();
    widgets.prepend(window_);
    for (QWidget* w : widgets) {
      if (!w->isVisible() || w->width() <= 0) continue;
      if (auto* label = qobject_cast<QLabel*>(w)) {
        CheckLabel(label);
      } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        CheckButton(button);
      } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        CheckGroupBox(box);
      } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
        CheckTabBar(bar);
      } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
        CheckHeader(header);
      } else if (auto* table = qobject_cast<QTableView*>(w)) {
        CheckCells(table);
      }
    }
  }

  void CheckLabel(QLabel* label) {
    const QString text = label->text();
    if (text.isEmpty()) return;
    QRect room = label->contentsRect();
    const int m = label->margin();
    room.adjust(m, m, -m, -m);
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0) {
      indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - m;
    }
    if (indent > 0) {
      if (label->alignment() & (Qt::AlignLeft | Qt::AlignRight))
        room.setWidth(room.width() - indent);
      if (label->alignment() & (Qt::AlignTop | Qt::AlignBottom))
        room.setHeight(room.height() - indent);
    }
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    QSize need;
    if (rich) {
      QTextDocument doc;
      doc.setDefaultFont(label->font());
      doc.setDocumentMargin(0);
      doc.setHtml(text);
      if (label->wordWrap()) doc.setTextWidth(room.width());
      need = QSize(qCeil(label->wordWrap() ? doc.size().width() : doc.idealWidth()),
                   qCeil(doc.size().height()));
    } else {
      int flags = static_cast<int>(label->alignment()) | Qt::TextExpandTabs;
      if (label->wordWrap()) flags |= Qt::TextWordWrap;
      if (label->buddy() != nullptr) flags |= Qt::TextShowMnemonic;
      need = label->fontMetrics().boundingRect(room, flags, Inked(text)).size();
    }
    Compare(label, text, need, room.size());
  }

  void CheckButton(QAbstractButton* button) {
    const QString text = Shown(button->text());
    if (text.isEmpty()) return;
    auto* tool = qobject_cast<QToolButton*>(button);
    if (tool != nullptr) {
      if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull()) return;
      Compare(button, text, QSize(tool->sizeHint().width(), 0), QSize(tool->width(), 0));
      return;
    }
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    opt.icon = button->icon();
    opt.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button)) contents = QStyle::SE_CheckBoxContents;
    if (qobject_cast<QRadioButton*>(button)) contents = QStyle::SE_RadioButtonContents;
    if (auto* push = qobject_cast<QPushButton*>(button)) {
      if (push->isDefault()) opt.features |= QStyleOptionButton::DefaultButton;
      if (push->isFlat()) opt.features |= QStyleOptionButton::Flat;
    }
    const QRect room = button->style()->subElementRect(contents, &opt, button);
    int need = button->fontMetrics().horizontalAdvance(text);
    if (!opt.icon.isNull()) need += opt.iconSize.width() + 4;
    const QSize height(0, button->fontMetrics().height());
    Compare(button, text, QSize(need, height.height()), QSize(room.width(), room.height()));
  }

  void CheckGroupBox(QGroupBox* box) {
    if (box->title().isEmpty()) return;
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.text = box->title();
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = box->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable()) opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (box->isFlat()) opt.features |= QStyleOptionFrame::Flat;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
    const int need = box->fontMetrics().horizontalAdvance(Shown(box->title()));
    const int room = std::min(label.width(), box->width() - label.left());
    Compare(box, box->title(), QSize(need, 0), QSize(room, 0));
  }

  void CheckTabBar(QTabBar* bar) {
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      const QString text = Shown(bar->tabText(i));
      const QRect tab = bar->tabRect(i);
      // A tab past either edge is behind the scroll arrows.
      if (tab.left() < 0 || tab.right() >= bar->width()) {
        Report(bar, text, tab.size(),
               QSize(std::max(0, std::min(tab.right(), bar->width() - 1) - std::max(tab.left(), 0)),
                     tab.height()),
               QStringLiteral(" behind the scroll arrows"));
        continue;
      }
      QStyleOptionTab opt;
      opt.initFrom(bar);
      opt.rect = tab;
      opt.text = bar->tabText(i);
      opt.shape = bar->shape();
      opt.documentMode = bar->documentMode();
      const QRect room = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &opt, bar);
      Compare(bar, text, QSize(bar->fontMetrics().horizontalAdvance(text), 0),
              QSize(room.width(), 0));
    }
  }

  void CheckHeader(QHeaderView* header) {
    if (header->model() == nullptr) return;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    // Sections of selected rows or columns are drawn in bold.
    QFont font = header->font();
    if (header->highlightSections()) font.setBold(true);
    const QFontMetrics fm(font);
    for (int logical = 0; logical < header->count(); ++logical) {
      if (header->isSectionHidden(logical)) continue;
      const QString text =
          header->model()->headerData(logical, header->orientation(), Qt::DisplayRole).toString();
      if (text.isEmpty()) continue;
      QSize need = fm.size(0, text) + QSize(2 * margin, 2 * margin);
      if (header->isSortIndicatorShown() && header->sortIndicatorSection() == logical)
        need.rwidth() += need.height() + margin;
      const QSize room = header->orientation() == Qt::Horizontal
                             ? QSize(header->sectionSize(logical), header->height())
                             : QSize(header->width(), header->sectionSize(logical));
      Compare(header, text, need, room);
    }
  }

  void CheckCells(QTableView* table) {
    const QAbstractItemModel* model = table->model();
    if (model == nullptr) return;
    const int margin =
        table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    // The rows in sight; a long table is not walked to its end.
    const int first = std::max(0, table->rowAt(0));
    int last = table->rowAt(table->viewport()->height() - 1);
    if (last < 0) last = model->rowCount() - 1;
    for (int row = first; row <= last; ++row) {
      for (int column = 0; column < model->columnCount(); ++column) {
        if (table->isColumnHidden(column)) continue;
        const QModelIndex index = model->index(row, column);
        const QString text = model->data(index, Qt::DisplayRole).toString();
        if (text.isEmpty()) continue;
        const QVariant font = model->data(index, Qt::FontRole);
        const QFontMetrics fm(font.isValid() ? font.value<QFont>() : table->font());
        Compare(table, text, QSize(fm.horizontalAdvance(text) + 2 * margin, 0),
                QSize(table->columnWidth(column), 0));
      }
    }
  }

  QWidget* window_;
  QStringList found_;
};

}  // namespace

QStringList ClippedTexts(QWidget* window) {
  Checker checker(window);
  checker.Run();
  return checker.Found();
}

}  // namespace tornel::testing
