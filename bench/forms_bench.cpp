// The thumbnail list on a generated delivery of 5,000 photos of 4000 x 3000:
// the time until the first screen of thumbnails is painted, and the longest
// time the event loop is blocked while the list scrolls to its end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "browse_window.h"

using namespace zor;

namespace {

constexpr int kPhotos = 5000;
constexpr int kDistinctPictures = 8;

// Five thousand names over a few real 4000 x 3000 JPEGs: every name is its
// own cache entry and its own decode, without gigabytes on disk.
std::vector<FixturePhoto> MakePhotos(BrowseFixture& fixture) {
  for (int i = 0; i < kDistinctPictures; ++i) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor::fromHsv(i * 40, 120, 200));
    for (int y = 0; y < 3000; y += 60) p.fillRect(0, y, 4000, 20, QColor::fromHsv(i * 40, 200, 120));
    p.end();
    image.save(fixture.Folder() + QStringLiteral("src%1.jpg").arg(i), "JPG", 90);
  }
  std::vector<FixturePhoto> photos;
  photos.reserve(kPhotos);
  for (int i = 0; i < kPhotos; ++i) {
    const QString name = QStringLiteral("P%1.JPG").arg(i + 1, 7, 10, QLatin1Char('0'));
    QFile::link(fixture.Folder() + QStringLiteral("src%1.jpg").arg(i % kDistinctPictures), fixture.Folder() + name);
    photos.push_back({"photo " + std::to_string(i + 1), {"工事", "施工状況写真", "土工"}, 0, name, {}, {}});
  }
  return photos;
}

bool VisibleCellsPainted(TThumbnailList* list) {
  const int size = list->CellSize();
  bool any = false;
  for (int row = 0; row < list->Model()->Count(); ++row) {
    const QModelIndex index = list->Model()->index(row);
    if (!list->viewport()->rect().intersects(list->visualRect(index))) continue;
    any = true;
    if (!list->Cache()->Find(list->Model()->Item(row).cell.file, size)) return false;
  }
  return any;
}

void BM_ThumbnailListScroll(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    BrowseSetup s;
    s.settings.IconStyle = 0;  // 140-pixel cells, the densest screen
    s.fixture.Load(MakePhotos(s.fixture));
    BrowseWindow& w = s.Open();
    w.settings().IconStyle = 0;
    w.SB_Icon->setChecked(false);
    w.PhotoLists->FitThumbnails(false);
    if (!QTest::qWaitForWindowExposed(&w)) state.SkipWithError("window not shown");
    state.ResumeTiming();

    // Longest gap between two runs of a zero timer: the event loop's blocking.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      longest = std::max(longest, now - last);
      last = now;
    });

    clock.start();
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工"}));
    const qint64 selectBlock = clock.nsecsElapsed();
    last = selectBlock;
    probe.start();
    if (!QTest::qWaitFor([&] { return VisibleCellsPainted(w.ListView); }, 60000))
      state.SkipWithError("first screen not painted");
    const double firstScreen = clock.nsecsElapsed() / 1e6;

    longest = 0;
    QScrollBar* bar = w.ListView->verticalScrollBar();
    last = clock.nsecsElapsed();
    while (bar->value() < bar->maximum()) {
      bar->setValue(bar->value() + bar->pageStep() / 2);
      QTest::qWait(16);
    }
    if (!QTest::qWaitFor([&] { return VisibleCellsPainted(w.ListView); }, 60000))
      state.SkipWithError("last screen not painted");
    probe.stop();

    state.counters["photos"] = w.ListView->Model()->Count();
    state.counters["fill_ms"] = selectBlock / 1e6;
    state.counters["first_screen_ms"] = firstScreen;
    state.counters["longest_block_scrolling_ms"] = longest / 1e6;
    state.counters["decodes"] = w.PhotoLists->Cache().DecodesStarted();
    state.counters["threads"] = w.PhotoLists->Pool().maxThreadCount();
  }
}
BENCHMARK(BM_ThumbnailListScroll)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
