// The catalog's traps: control numbers out of display order, a swapped pair, a cell without a
// link, an item shown in two categories, captions with different colons.
#include <QTest>
#include <map>
#include <set>

#include "catalog/catalog.h"

using namespace vestora;

namespace {

const Category& Window(std::string_view name) {
  const Category* category = CategoryByWindow(name);
  if (category == nullptr) qFatal("no category %s", std::string(name).c_str());
  return *category;
}

}  // namespace

class CatalogTest : public QObject {
  Q_OBJECT

 private slots:
  void mainButtonsOpenTheirCategories_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    // Button numbers do not follow form numbers.
    QTest::newRow("Command1 opens Form3") << "Command1"
                                          << "Form3";
    QTest::newRow("Command3 opens Form2") << "Command3"
                                          << "Form2";
    QTest::newRow("Command6 opens Form8") << "Command6"
                                          << "Form8";
    QTest::newRow("Command10 opens Form14") << "Command10"
                                            << "Form14";
    QTest::newRow("Command11 opens Form10") << "Command11"
                                            << "Form10";
    QTest::newRow("Command17 opens Form13") << "Command17"
                                            << "Form13";
    QTest::newRow("Command18 opens Form18") << "Command18"
                                            << "Form18";
    QTest::newRow("the notice button opens nothing") << "Command8"
                                                     << "";
    QTest::newRow("unknown button") << "Command19"
                                    << "";
    QTest::newRow("empty name") << ""
                                << "";
  }
  void mainButtonsOpenTheirCategories() {
    QFETCH(QString, button);
    QFETCH(QString, window);
    const Category* category = CategoryByMainButton(button.toStdString());
    QCOMPARE(category ? QString::fromUtf8(category->windowName.data(),
                                          static_cast<int>(category->windowName.size()))
                      : QString(),
             window);
  }

  void unknownWindowsHaveNoCategory() {
    QVERIFY(CategoryByWindow("Form1") == nullptr);
    QVERIFY(CategoryByWindow("Form19") == nullptr);
    QVERIFY(CategoryByWindow("form9") == nullptr);
    QVERIFY(CategoryByWindow("Form9") != nullptr);
  }

  void form2ListsCellsInDisplayOrderNotByNumber() {
    std::vector<int> pictures;
    for (const ItemCell& cell : Cells(Window("Form2"))) pictures.push_back(cell.pictureBox);
    QCOMPARE(pictures, (std::vector<int>{1, 2, 3, 4, 9, 5, 6, 7, 8, 10}));
    const ItemCell* lastOfRow1 = CellAt(Window("Form2"), 1, 5);
    QVERIFY(lastOfRow1 != nullptr);
    QCOMPARE(lastOfRow1->button, 9);
    QCOMPARE(lastOfRow1->pictureFocus, 16);
  }

  void form10PairsButtonsByPositionNotByNumber() {
    const Category& form10 = Window("Form10");
    const ItemCell* command9 = CellByButton(form10, "Command9");
    const ItemCell* command10 = CellByButton(form10, "Command10");
    QVERIFY(command9 && command10);
    QCOMPARE((std::pair{command9->row, command9->column}), (std::pair{2, 3}));
    QCOMPARE(command9->pictureBox, 10);
    QCOMPARE((std::pair{command10->row, command10->column}), (std::pair{2, 4}));
    QCOMPARE(command10->pictureBox, 9);
    QVERIFY(command9->link != command10->link);
    QVERIFY(CellByButton(form10, "Command13") == nullptr);
  }

  void cellAtAnswersNoneOutsideTheGrid() {
    QVERIFY(CellAt(Window("Form3"), 2, 1) == nullptr);
    QVERIFY(CellAt(Window("Form3"), 1, 6) == nullptr);
    QVERIFY(CellAt(Window("Form3"), 0, 0) == nullptr);
    QVERIFY(CellAt(Window("Form3"), 1, 5) != nullptr);
  }

  void onlyForm4Row1Column5HasNoLink() {
    int withoutLink = 0;
    for (const Category& category : Catalog()) {
      for (const ItemCell& cell : Cells(category)) withoutLink += !cell.HasLink();
    }
    QCOMPARE(withoutLink, 1);
    const ItemCell* cell = CellAt(Window("Form4"), 1, 5);
    QVERIFY(cell && !cell->HasLink());
    QCOMPARE(cell->pictureBox, 5);
    QCOMPARE(cell->button, 5);
  }

  void oneItemIsShownInForm9AndForm11() {
    const ItemCell* a = CellAt(Window("Form9"), 1, 3);
    const ItemCell* b = CellAt(Window("Form11"), 1, 5);
    QVERIFY(a && b && a != b);
    QVERIFY(a->link == b->link);
    QCOMPARE(a->image.width, b->image.width);
    QCOMPARE(a->image.height, b->image.height);
    QVERIFY(a->image.format == b->image.format);
    QCOMPARE(a->pictureBox, 3);
    QCOMPARE(b->pictureBox, 5);
  }

  void form6HoldsEveryKindOfLink() {
    std::map<LinkKind, int> kinds;
    int t10 = 0;
    for (const ItemCell& cell : Cells(Window("Form6"))) {
      ++kinds[cell.link.kind];
      if (cell.link.kind == LinkKind::ItemPageLink && cell.link.t == 10) {
        ++t10;
        QVERIFY(cell.link.hasE);
        QVERIFY(cell.link.u == ReferrerAccount::Literal0);
      }
    }
    QCOMPARE(kinds[LinkKind::ItemPageLink], 2);
    QCOMPARE(kinds[LinkKind::OutfitPageLink], 5);
    QCOMPARE(kinds[LinkKind::FriendItemsLink], 1);
    QCOMPARE(t10, 2);
  }

  void captionsKeepTheirColons_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Form3 half-width") << "Form3"
                                      << "个性女生免费QQ秀大集合 BY:Quillmark";
    QTest::newRow("Form12 half-width") << "Form12"
                                       << "高山流水免费QQ秀集合 BY:Quillmark";
    QTest::newRow("Form4 full-width") << "Form4"
                                      << "温柔女生免费QQ秀大集合 BY：Quillmark";
    QTest::newRow("Form9 full-width") << "Form9"
                                      << "动漫卡通免费QQ秀集合 BY：Quillmark";
  }
  void captionsKeepTheirColons() {
    QFETCH(QString, window);
    QFETCH(QString, caption);
    const std::string_view actual = Window(window.toStdString()).caption;
    QCOMPARE(QString::fromUtf8(actual.data(), static_cast<int>(actual.size())), caption);
  }

  void windowsDifferInIconAndPlacement() {
    for (const Category& category : Catalog()) {
      QCOMPARE(category.hasIcon, category.windowName != "Form14");
    }
    const Category& form9 = Window("Form9");
    QVERIFY(form9.placement == Placement::ManualPlacement);
    QCOMPARE(form9.clientLeft, -240);
    QCOMPARE(form9.clientTop, 1320);
    QVERIFY(Window("Form14").placement == Placement::SystemPlacement);
  }

  void pictureFileNamesAreDistinctKeys() {
    std::set<std::string> names;
    for (const Category& category : Catalog()) {
      for (const ItemCell& cell : Cells(category)) names.insert(PictureFileName(category, cell));
    }
    QCOMPARE(static_cast<int>(names.size()), kCellCount);
    QVERIFY(names.contains("Form9-Picture3.jpg"));
    QVERIFY(names.contains("Form4-Picture1.gif"));
  }
};

QTEST_GUILESS_MAIN(CatalogTest)
#include "test_catalog.moc"
