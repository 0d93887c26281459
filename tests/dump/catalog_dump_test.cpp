// Runs vestora-catalog-dump as a separate process and reads its output the way a maintainer's
// diff or script would: line by line, field by field.
#include <QByteArray>
#include <QCryptographicHash>
#include <QProcess>
#include <QStringDecoder>
#include <QTest>

#include "catalog/catalog.h"
#include "catalog/constants.h"
#include "forms/qt/resources.h"

using namespace vestora;

namespace {

struct Run {
  int status = -1;
  QByteArray out;
  QByteArray err;
};

Run RunDump(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(VESTORA_CATALOG_DUMP), arguments);
  if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit) return {};
  return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The output's lines, after checking what every line must be: UTF-8, ended by '\n' alone.
QList<QByteArray> Lines(const QByteArray& out) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  [[maybe_unused]] const QString text = decoder(out);
  if (decoder.hasError() || out.contains('\r') || !out.endsWith('\n')) return {};
  QList<QByteArray> lines = out.split('\n');
  lines.removeLast();
  return lines;
}

QByteArray Field(const QByteArray& line, int column) {
  return line.split('\t').value(column);
}

QByteArray Columns(const QByteArray& line, int first, int count) {
  return line.split('\t').mid(first, count).join('\t');
}

QByteArray Utf8(std::string_view text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray Host() {
  return Utf8(kServiceHost);
}

}  // namespace

class CatalogDumpTest : public QObject {
  Q_OBJECT

 private:
  Run cells_;  // the run without arguments, shared by the cell tests

 private slots:
  void initTestCase() { cells_ = RunDump({}); }

  void cellsFollowTheCatalog() {
    QCOMPARE(cells_.status, 0);
    QCOMPARE(cells_.err, QByteArray());
    const QList<QByteArray> lines = Lines(cells_.out);
    QCOMPARE(lines.size(), 1 + kCellCount);
    QCOMPARE(lines.front(),
             "window\trow\tcolumn\tpicture_box\tpicture_rect\tpicture_back\tbutton\tbutton_rect\t"
             "picture_focus\tbutton_focus\tlink_kind\tlaunch_style\tcommand_line\timage_signature\t"
             "image_width\timage_height\timage_frames\timage_bytes\timage_sha256");

    int line = 1;
    int commandLines = 0;
    for (const Category& category : Catalog()) {
      for (const ItemCell& cell : Cells(category)) {
        const QList<QByteArray> fields = lines[line++].split('\t');
        QCOMPARE(fields.size(), 19);
        QCOMPARE(fields[0], Utf8(category.windowName));
        QCOMPARE(fields[1].toInt(), cell.row);
        QCOMPARE(fields[2].toInt(), cell.column);
        // A style and a command line exactly when there is a link.
        QCOMPARE(fields[10] == "none", !cell.HasLink());
        QCOMPARE(fields[11].isEmpty(), !cell.HasLink());
        QCOMPARE(fields[12].isEmpty(), !cell.HasLink());
        commandLines += fields[12].isEmpty() ? 0 : 1;

        // The picture columns describe the embedded file, which must be what the catalog
        // declares; all six stay empty while the picture is not embedded.
        const QByteArray picture =
            qt::ReadResource(qt::PicturePath(PictureFileName(category, cell)));
        const QList<QByteArray> image = fields.mid(13);
        if (picture.isEmpty()) {
          QCOMPARE(image, QList<QByteArray>(6));
          continue;
        }
        QCOMPARE(image[0], Utf8(ImageFormatName(cell.image.format)));
        QCOMPARE(image[1].toInt(), cell.image.width);
        QCOMPARE(image[2].toInt(), cell.image.height);
        if (cell.image.format == ImageFormat::JPEG) {
          QCOMPARE(image[3], "1");
        } else {
          QVERIFY(image[3].toInt() >= 1);
        }
        QCOMPARE(image[4].toLongLong(), picture.size());
        QCOMPARE(image[5], QCryptographicHash::hash(picture, QCryptographicHash::Sha256).toHex());
      }
    }
    QCOMPARE(commandLines, kCellCount - 1);
  }

  // The first thirteen columns of chosen cells, written out in full.
  void cellLines_data() {
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no link") << QByteArray(
        "Form4\t1\t5\tPicture5\t9840,240,2175,3375\tBlack\t"
        "Command5\t10200,4080,1455,375\t8\t9\tnone\t\t");
    QTest::newRow("picture and button numbers swapped")
        << "Form10\t2\t3\tPicture10\t5040,4560,2175,3495\tBlack\tCommand9\t5280,8400,1455,375\t9\t"
           "20\tItemPageLink\t2\texplorer.exe \"http://" +
               Host() + "/p/f?t=13&i=985070&u=271828182\"";
    QTest::newRow("system default background")
        << "Form9\t1\t4\tPicture4\t7440,240,2175,3495\tSystemDefault\tCommand4\t"
           "7920,3960,1335,375\t3\t15\tItemPageLink\t2\texplorer.exe \"http://" +
               Host() + "/p/f?t=13&i=984895&u=271828182\"";
    QTest::newRow("item page with e")
        << "Form6\t1\t1\tPicture1\t360,240,2175,3495\tBlack\tCommand1\t720,3960,1455,375\t0\t8\t"
           "ItemPageLink\t2\texplorer.exe \"http://" +
               Host() + "/p/f?t=10&i=462848&u=0&e=0\"";
    QTest::newRow("friend items")
        << "Form6\t2\t4\tPicture8\t7920,4560,2175,3495\tBlack\tCommand8\t8400,8280,1455,"
           "375\t7\t15\t"
           "FriendItemsLink\t2\texplorer.exe \"http://" +
               Host() + "/show.html?MUrl=/my/inc/friend_item.html%3Fuin%3D223606797\"";
    QTest::newRow("outfit page")
        << "Form6\t1\t3\tPicture3\t5400,240,2175,3495\tBlack\tCommand3\t5760,3960,1455,375\t2\t10\t"
           "OutfitPageLink\t1\tC:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://" +
               Host() + "/show_v3.html?MUrl=/mall/inc/particular.html%3Ftype%3D12%26itype%3D8" +
               "%26img%3D0%26sShow%3D" + Utf8(OutfitTokenText(OutfitToken::Form6Row1Column3));
  }

  void cellLines() {
    QFETCH(QByteArray, expected);
    const QByteArray cell = Columns(expected, 0, 3);
    QByteArray found;
    for (const QByteArray& line : Lines(cells_.out)) {
      if (Columns(line, 0, 3) == cell) found = Columns(line, 0, 13);
    }
    QCOMPARE(found, expected);
  }

  void windows() {
    const Run run = RunDump({QStringLiteral("--windows")});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    const QList<QByteArray> lines = Lines(run.out);
    QCOMPARE(lines.size(), 1 + kCategoryCount);
    QCOMPARE(lines.front(),
             "window\ttitle\tgroup\tmain_button\tcaption\tclient_width\tclient_height\tplacement\t"
             "client_left\tclient_top\thas_icon\tcells");
    for (int i = 0; i < kCategoryCount; ++i) {
      QCOMPARE(Field(lines[i + 1], 0), Utf8(Catalog()[i].windowName));
    }

    const QList<QByteArray> expected = {
        "Form3\t个性女生QQ秀\tGirls\tCommand1\t个性女生免费QQ秀大集合 BY:Quillmark\t12285\t4515\t"
        "ManualPlacement\t2775\t1080\tyes\t5",
        "Form4\t温柔女生QQ秀\tGirls\tCommand2\t温柔女生免费QQ秀大集合 BY：Quillmark\t12225\t9225\t"
        "SystemPlacement\t\t\tyes\t10",
        "Form9\t动漫卡通\tBackgrounds\tCommand9\t动漫卡通免费QQ秀集合 BY：Quillmark\t14640\t8985\t"
        "ManualPlacement\t-240\t1320\tyes\t12",
        "Form14\t青草萋萋\tBackgrounds\tCommand10\t青草萋萋免费QQ秀集合 "
        "BY：Quillmark\t15105\t9135\t"
        "SystemPlacement\t\t\tno\t12",
        "Form7\t免费雷人QQ秀\tBoys\tCommand7\t免费雷人QQ秀大集合 BY：Quillmark\t9900\t8805\t"
        "SystemPlacement\t\t\tyes\t8",
    };
    for (const QByteArray& line : expected) QVERIFY2(lines.contains(line), line.constData());
  }

  void icon() {
    const QByteArray embedded = qt::ReadResource(qt::kIconPath);
    const Run run = RunDump({QStringLiteral("--icon")});
    if (embedded.isEmpty()) {
      QCOMPARE(run.status, 1);
      QVERIFY(!run.err.isEmpty());
      QCOMPARE(run.out, QByteArray());
    } else {
      QCOMPARE(run.status, 0);
      QCOMPARE(run.err, QByteArray());
      QCOMPARE(run.out, embedded);
    }
  }

  void badArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--cells")};
    QTest::newRow("empty argument") << QStringList{QString()};
    QTest::newRow("two options") << QStringList{QStringLiteral("--windows"),
                                                QStringLiteral("--icon")};
    QTest::newRow("option and extra") << QStringList{QStringLiteral("--icon"), QStringLiteral("x")};
  }

  void badArguments() {
    QFETCH(QStringList, arguments);
    const Run run = RunDump(arguments);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(run.err.startsWith("usage: vestora-catalog-dump"));
  }
};

QTEST_GUILESS_MAIN(CatalogDumpTest)
#include "catalog_dump_test.moc"
