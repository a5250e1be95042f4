// The thumbnail list on a generated delivery of 5,000 photos of 4000 x 3000,
// without and with a 160 x 120 camera thumbnail: the time until the first
// screen of thumbnails is painted, and the longest time the event loop is
// blocked while the list scrolls to its end. The
// viewer on a 12000 x 9000 JPEG: time and memory to open and to zoom it.
// The main window reading a PHOTO.XML of 10,000 photos with either parser.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "../tests/images/sample_pictures.h"
#include "browse_window.h"
#include "forms/photo_viewer.h"
#include "forms/picture_box.h"
#include "forms/thumbnail_decoder.h"

using namespace zor;

namespace {

constexpr int kPhotos = 5000;
constexpr int kDistinctPictures = 8;

QByteArray JpegBytes(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", quality);
  return bytes;
}

// The JPEG with an EXIF segment carrying thumbnail, right after its start
// of image, as cameras write it.
QByteArray WithExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail) {
  const samples::Bytes small(thumbnail.begin(), thumbnail.end());
  samples::Bytes app1 = {'E', 'x', 'i', 'f', 0, 0};
  const samples::Bytes tiff = samples::ExifTiff(small, {});
  app1.insert(app1.end(), tiff.begin(), tiff.end());
  QByteArray segment("\xFF\xE1", 2);
  const int length = static_cast<int>(app1.size()) + 2;
  segment.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xFF));
  segment.append(reinterpret_cast<const char*>(app1.data()), static_cast<qsizetype>(app1.size()));
  return jpeg.left(2) + segment + jpeg.mid(2);
}

// Five thousand names over a few real 4000 x 3000 JPEGs: every name is its
// own cache entry and its own decode, without gigabytes on disk.
std::vector<FixturePhoto> MakePhotos(BrowseFixture& fixture, bool exif) {
  for (int i = 0; i < kDistinctPictures; ++i) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor::fromHsv(i * 40, 120, 200));
    for (int y = 0; y < 3000; y += 60) p.fillRect(0, y, 4000, 20, QColor::fromHsv(i * 40, 200, 120));
    p.end();
    QByteArray bytes = JpegBytes(image, 90);
    if (exif) bytes = WithExifThumbnail(bytes, JpegBytes(image.scaled(160, 120), 85));
    QFile out(fixture.Folder() + QStringLiteral("src%1.jpg").arg(i));
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
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

// Runs the event loop until done() holds, checked every millisecond, or
// until timeoutMs passed; false on the timeout.
bool RunEventLoopUntil(const std::function<bool()>& done, int timeoutMs) {
  QEventLoop loop;
  bool met = false;
  QTimer check;
  check.setInterval(1);
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (done()) {
      met = true;
      loop.quit();
    }
  });
  QTimer::singleShot(timeoutMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  check.start();
  loop.exec();
  return met;
}

int VisibleCells(ThumbnailList* list) {
  int count = 0;
  for (int row = 0; row < list->Model()->Count(); ++row)
    if (list->viewport()->rect().intersects(list->visualRect(list->Model()->index(row)))) ++count;
  return count;
}

bool VisibleCellsPainted(ThumbnailList* list) {
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

// First argument 0: pictures without a camera thumbnail; 1: with one of
// 160 x 120. Second: the number of workers, 0 for the program's own (one
// per core); 1 is how the list decoded on two cores before.
void BM_ThumbnailListScroll(benchmark::State& state) {
  const bool exif = state.range(0) != 0;
  const int workers = static_cast<int>(state.range(1));
  for (auto _ : state) {
    state.PauseTiming();
    BrowseSetup s;
    s.settings.IconStyle = 0;  // 140-pixel cells, the densest screen
    s.fixture.Load(MakePhotos(s.fixture, exif));
    BrowseWindow& w = s.Open();
    w.settings().IconStyle = 0;
    w.SB_Icon->setChecked(false);
    w.PhotoLists->FitThumbnails(false);
    if (workers > 0) w.PhotoLists->Pool().setMaxThreadCount(workers);
    if (!QTest::qWaitForWindowExposed(&w)) state.SkipWithError("window not shown");
    state.ResumeTiming();

    // Longest gap between two runs of a 1 ms timer: the event loop's
    // blocking. The waits run the event loop as the program does; QTest's
    // waits sleep between rounds, which holds back every finished decode.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    int over30 = 0;  // blocks longer than 30 ms
    QTimer probe;
    probe.setInterval(1);
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      longest = std::max(longest, now - last);
      if (now - last > 30'000'000) ++over30;
      last = now;
    });

    clock.start();
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工"}));
    const qint64 selectBlock = clock.nsecsElapsed();
    last = selectBlock;
    probe.start();
    if (!RunEventLoopUntil([&] { return VisibleCellsPainted(w.ListView); }, 60000))
      state.SkipWithError("first screen not painted");
    const double firstScreen = clock.nsecsElapsed() / 1e6;

    longest = 0;
    over30 = 0;
    QScrollBar* bar = w.ListView->verticalScrollBar();
    last = clock.nsecsElapsed();
    while (bar->value() < bar->maximum()) {
      bar->setValue(bar->value() + bar->pageStep() / 2);
      RunEventLoopUntil([] { return false; }, 16);
    }
    if (!RunEventLoopUntil([&] { return VisibleCellsPainted(w.ListView); }, 60000))
      state.SkipWithError("last screen not painted");
    probe.stop();

    // One decode alone, as the goal without camera thumbnails counts it:
    // the mean over each distinct picture.
    QElapsedTimer single;
    single.start();
    const std::atomic<bool> notCancelled{false};
    for (int i = 0; i < kDistinctPictures; ++i)
      DecodeThumbnail(w.ListView->Model()->Item(i).cell.file, w.ListView->CellSize(), notCancelled);
    const double singleMs = single.nsecsElapsed() / 1e6 / kDistinctPictures;
    const int threads = w.PhotoLists->Pool().maxThreadCount();
    const int cells = VisibleCells(w.ListView);

    state.counters["photos"] = w.ListView->Model()->Count();
    state.counters["exif"] = exif;
    state.counters["cells_on_screen"] = cells;
    state.counters["single_decode_ms"] = singleMs;
    state.counters["goal_first_screen_ms"] = exif ? 150.0 : singleMs * cells / threads + 100.0;
    state.counters["fill_ms"] = selectBlock / 1e6;
    state.counters["first_screen_ms"] = firstScreen;
    state.counters["longest_block_scrolling_ms"] = longest / 1e6;
    state.counters["blocks_over_30ms_scrolling"] = over30;
    state.counters["decodes"] = w.PhotoLists->Cache().DecodesStarted();
    state.counters["threads"] = threads;
  }
}
BENCHMARK(BM_ThumbnailListScroll)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A large JPEG written a band of rows at a time, so that making it does
// not itself take the memory the viewer must not take.
bool WriteLargeJpeg(const QString& path, int width, int height) {
  FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (!file) return false;
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 85, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<JSAMPLE>(x * 255 / width);
      row[x * 3 + 1] = static_cast<JSAMPLE>(y * 255 / height);
      row[x * 3 + 2] = static_cast<JSAMPLE>(((x / 200 + y / 200) % 2) * 120 + 60);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(file) == 0;
}

// The peak resident memory of the process in bytes, and its reset (Linux).
qint64 PeakResident() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
  return -1;
}
qint64 Resident() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
  return -1;
}
void ResetPeakResident() {
  QFile refs(QStringLiteral("/proc/self/clear_refs"));
  if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

// Opening a 12000 x 9000 JPEG in the viewer: the time until the window
// shows it fitted, and the memory that took; then the largest zoom the
// area limit allows, with its sharper decode.
void BM_ViewerLargePicture(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/LARGE.JPG");
  if (!WriteLargeJpeg(path, 12000, 9000)) {
    state.SkipWithError("cannot write the picture");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto viewer = std::make_unique<PhotoViewer>();
    QCoreApplication::processEvents();
    const qint64 before = Resident();
    ResetPeakResident();
    state.ResumeTiming();

    QElapsedTimer clock;
    clock.start();
    if (!viewer->ShowPicture(path) || !QTest::qWaitForWindowExposed(viewer.get())) {
      state.SkipWithError("not shown");
      break;
    }
    const double openMs = clock.nsecsElapsed() / 1e6;
    const qint64 openPeak = PeakResident() - before;
    const QSize held = viewer->IJLImage->Picture().size();

    // Left clicks in the middle until the area limit stops them.
    clock.restart();
    ResetPeakResident();
    const QPoint middle(viewer->ControlGeometry().width() / 2, viewer->ControlGeometry().height() / 2);
    for (int i = 0; i < 12 && viewer->ClickFactor(Qt::LeftButton) > 1.0; ++i) {
      viewer->PictureMouseDown(Qt::LeftButton, middle);
      viewer->PictureMouseUp(Qt::LeftButton, middle);
      QCoreApplication::processEvents();
    }
    viewer->IJLImage->WaitForDetail();
    const double zoomMs = clock.nsecsElapsed() / 1e6;
    const qint64 zoomPeak = PeakResident() - before;

    state.counters["open_ms"] = openMs;
    state.counters["open_peak_MB"] = openPeak / 1048576.0;
    state.counters["decoded_w"] = held.width();
    state.counters["decoded_h"] = held.height();
    state.counters["zoom_to_limit_ms"] = zoomMs;
    state.counters["zoom_peak_MB"] = zoomPeak / 1048576.0;
    state.counters["zoomed_w"] = viewer->ControlGeometry().width();
    state.counters["detail_w"] = viewer->IJLImage->Picture().width();
    state.PauseTiming();
    viewer.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ViewerLargePicture)->Iterations(1)->Unit(benchmark::kMillisecond);

// Reading a PHOTO.XML of 10,000 photos through the main window, as the menu
// command does: the readers' progress display, the tree widget, the grids.
void BM_WindowReadsLargeDelivery(benchmark::State& state) {
  QTemporaryDir dir;
  const QString photoDir = dir.filePath(QStringLiteral("PHOTO"));
  QDir().mkpath(photoDir);
  QFile::copy(QStringLiteral(ZOR_TEST_DATA "/import/construction/PHOTO/PHOTO05.DTD"),
              photoDir + QStringLiteral("/PHOTO05.DTD"));
  const char* kinds[] = {"掘削工", "路体盛土工", "法面整形工", "表層工"};
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\n"
      "<photodata DTD_version=\"05\">\n<基礎情報>\n<写真フォルダ名>PHOTO/PIC</写真フォルダ名>\n"
      "<適用要領基準>土木201009-01</適用要領基準>\n</基礎情報>\n";
  for (int i = 1; i <= 10000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "P%07d.JPG", i);
    xml += "<写真情報>\n<写真ファイル情報>\n<シリアル番号>" + std::to_string(i) + "</シリアル番号>\n<写真ファイル名>" +
           name +
           "</写真ファイル名>\n<メディア番号>1</メディア番号>\n</写真ファイル情報>\n<撮影工種区分>\n"
           "<写真-大分類>工事</写真-大分類>\n<写真区分>施工状況写真</写真区分>\n<工種>道路土工</工種>\n<種別>" +
           kinds[i % 4] + "</種別>\n<写真タイトル>写真 " + std::to_string(i) +
           "</写真タイトル>\n</撮影工種区分>\n<撮影情報>\n<撮影年月日>2010-10-05</撮影年月日>\n</撮影情報>\n"
           "<代表写真>0</代表写真>\n<提出頻度写真>0</提出頻度写真>\n</写真情報>\n";
  }
  xml += "</photodata>\n";
  QFile out(photoDir + QStringLiteral("/PHOTO.XML"));
  out.open(QIODevice::WriteOnly);
  out.write(QByteArray::fromStdString(Utf8ToCp932(xml)));
  out.close();

  BrowseSetup s;
  s.settings.MsXmlParser = state.range(0) != 0;
  BrowseWindow& w = s.Open();
  for (auto _ : state) {
    if (!w.DispatchDeliveryFile(photoDir + QStringLiteral("/PHOTO.XML"))) state.SkipWithError("not read");
    QCoreApplication::processEvents();
  }
  state.counters["photos"] = static_cast<double>(s.fixture.delivery.PhotoTable.RecordCount());
}
BENCHMARK(BM_WindowReadsLargeDelivery)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
