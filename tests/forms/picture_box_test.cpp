// The paint box's JPEG loading and what it tells the status line.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "app/host.h"
#include "forms/picture_box.h"

using namespace zor;

namespace {

class StatusRecorder : public Host {
 public:
  void ShowStatus(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

}  // namespace

class PictureBoxTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;

  QString Write(const char* name, const QByteArray& bytes) {
    const QString path = dir_.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write %s", name);
    return path;
  }

 private slots:
  void jpegErrorsGoToTheStatusLine() {
    QImage good(40, 30, QImage::Format_RGB32);
    good.fill(QColor(200, 40, 40));
    const QString goodPath = dir_.filePath(QStringLiteral("good.jpg"));
    QVERIFY(good.save(goodPath, "JPEG"));
    const struct {
      QString path;
      bool loads;
    } cases[] = {
        {goodPath, true},
        {Write("text.jpg", "not a picture at all"), false},
        {Write("empty.JPEG", ""), false},
        {dir_.filePath(QStringLiteral("missing.jpg")), false},
    };
    for (const auto& c : cases) {
      PictureBox image;
      StatusRecorder status;
      image.StatusHost = &status;
      QCOMPARE(image.LoadFile(c.path), c.loads);
      if (c.loads) {
        QVERIFY(status.lines.empty());
        QCOMPARE(image.ImageWidth(), 40);
      } else {
        QCOMPARE(status.lines.size(), std::size_t{1});
        QVERIFY2(status.lines[0].rfind(" JPEG Error Status=", 0) == 0, status.lines[0].c_str());
        QVERIFY2(status.lines[0].back() == ')', status.lines[0].c_str());  // the status in brackets
        QCOMPARE(image.ImageWidth(), 0);
      }
    }
    // Without a host a failure is only the result.
    PictureBox quiet;
    QVERIFY(!quiet.LoadFile(dir_.filePath(QStringLiteral("text.jpg"))));
  }
};

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"
