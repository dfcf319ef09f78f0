#include "ui/scheme/block_icons.h"

#include <QHash>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include "core/scheme/block_kind.h"

// The pictures are compiled into a static library: its resource initialiser
// has to be called by name.
static void InitBlockResources() { Q_INIT_RESOURCE(scheme_blocks); }

namespace {

QString FileOf(int kind) {
  using namespace tornel;
  switch (kind) {
    case kKindStep:
      return QStringLiteral("step");
    case kKindLine:
      return QStringLiteral("line");
    case kKindMeandr:
      return QStringLiteral("meandr");
    case kKindImp:
      return QStringLiteral("imp");
    case kKindSinT:
      return QStringLiteral("sin");
    case kKindCosT:
      return QStringLiteral("cos");
    case kKindSum:
      return QStringLiteral("sum");
    case kKindAperiod:
      return QStringLiteral("aperiod");
    case kKindGraph:
      return QStringLiteral("graph");
    case kKindIntegr:
      return QStringLiteral("integr");
    case kKindPIReg:
      return QStringLiteral("pireg");
    case kKindCap:
      return QStringLiteral("cap");
    case kKindAcp:
      return QStringLiteral("acp");
    case kKindProporc:
      return QStringLiteral("proporc");
    case kKindMul:
      return QStringLiteral("mul");
    case kKindZi:
      return QStringLiteral("zi");
    case kKindOgr:
      return QStringLiteral("ogr");
    default:
      return QStringLiteral("unselect");
  }
}

}  // namespace

QIcon BlockIcons::Icon(int kind) {
  QIcon icon;
  icon.addPixmap(Pixmap(kind));
  return icon;
}

QPixmap BlockIcons::Pixmap(int kind) {
  static bool loaded = (InitBlockResources(), true);
  (void)loaded;
  static QHash<int, QPixmap> cache;
  auto it = cache.find(kind);
  if (it == cache.end()) {
    QPixmap pixmap(30, 30);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/blocks/%1.svg").arg(FileOf(kind)));
    QPainter painter(&pixmap);
    svg.render(&painter);
    painter.end();
    it = cache.insert(kind, pixmap);
  }
  return *it;
}
