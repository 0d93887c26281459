// Links become their exact command lines and start with the style of their kind.
#include <QTest>

#include "app/category_window.h"
#include "app/link_launcher.h"
#include "catalog/catalog.h"
#include "catalog/constants.h"
#include "catalog/link_commands.h"
#include "forms/fake/fake_runtime.h"

using namespace vestora;

Q_DECLARE_METATYPE(vestora::ItemLink)

namespace {

std::string Host() {
  return std::string(kServiceHost);
}
std::string Account(std::uint32_t number) {
  return std::to_string(number);
}
QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

class LinkLauncherTest : public QObject {
  Q_OBJECT

 private slots:
  void buildsEachShapeFromItsPieces_data() {
    QTest::addColumn<ItemLink>("link");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("style");
    const std::string shell = "explorer.exe \"http://" + Host();
    QTest::newRow("item page, AccountA")
        << ItemPage(991627, ReferrerAccount::AccountA)
        << Q(shell + "/p/f?t=13&i=991627&u=" + Account(271828182) + "\"") << 2;
    QTest::newRow("item page, AccountB, seven-digit id")
        << ItemPage(1051152, ReferrerAccount::AccountB)
        << Q(shell + "/p/f?t=13&i=1051152&u=" + Account(57721566) + "\"") << 2;
    QTest::newRow("item page, AccountC") << ItemPage(944725, ReferrerAccount::AccountC)
                                         << Q(shell + "/p/f?t=13&i=944725&u=141421356\"") << 2;
    QTest::newRow("item page, AccountD") << ItemPage(944726, ReferrerAccount::AccountD)
                                         << Q(shell + "/p/f?t=13&i=944726&u=17320508\"") << 2;
    QTest::newRow("item page without referrer")
        << ItemPageWithoutReferrer(462848) << Q(shell + "/p/f?t=10&i=462848&u=0&e=0\"") << 2;
    QTest::newRow("friend items")
        << FriendItems(ReferrerAccount::AccountE)
        << Q(shell + "/show.html?MUrl=/my/inc/friend_item.html%3Fuin%3D223606797\"") << 2;
    const std::string browser =
        "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://" + Host() +
        "/show_v3.html?MUrl=/mall/inc/particular.html%3Ftype%3D12%26itype%3D";
    QTest::newRow("outfit, itype 8")
        << OutfitPage(8, OutfitToken::Form4Row2Column4)
        << Q(browser + "8%26img%3D0%26sShow%3D" + std::string(kOutfitTokens[0])) << 1;
    QTest::newRow("outfit, itype 7")
        << OutfitPage(7, OutfitToken::Form6Row1Column4)
        << Q(browser + "7%26img%3D0%26sShow%3D" + std::string(kOutfitTokens[5])) << 1;
  }
  void buildsEachShapeFromItsPieces() {
    QFETCH(ItemLink, link);
    QFETCH(QString, expected);
    QFETCH(int, style);
    QCOMPARE(Q(BuildCommandLine(link)), expected);
    QCOMPARE(static_cast<int>(app::StyleFor(link.kind)), style);
  }

  void everyCatalogLinkHasTheShapeOfItsKind() {
    const std::size_t host = kServiceHost.size();
    int lines = 0;
    int withE = 0;
    for (const Category& category : Catalog()) {
      for (const ItemCell& cell : Cells(category)) {
        const std::string line = BuildCommandLine(cell.link);
        if (!cell.HasLink()) {
          QVERIFY(line.empty());
          continue;
        }
        ++lines;
        const ItemLink& link = cell.link;
        std::size_t spaces = std::count(line.begin(), line.end(), ' ');
        for (char c : line) QVERIFY2(c > ' ' - 1 && c < 0x7F, line.c_str());
        withE += line.find("&e=") != std::string::npos;
        switch (link.kind) {
          case LinkKind::ItemPageLink: {
            QCOMPARE(spaces, std::size_t{1});
            const std::size_t rest = line.size() - host;
            if (link.t == 10) {
              QCOMPARE(rest, std::size_t{48});
              QVERIFY(line.ends_with("&u=0&e=0\""));
            } else {
              const std::size_t account = Account(AccountNumber(link.u)).size();
              QVERIFY2(rest == 43 + account || rest == 44 + account, line.c_str());
            }
            break;
          }
          case LinkKind::FriendItemsLink:
            QCOMPARE(spaces, std::size_t{1});
            QCOMPARE(line.size() - host, 71 + Account(AccountNumber(link.uin)).size());
            break;
          case LinkKind::OutfitPageLink: {
            // The browser's path holds the only two spaces besides the separator.
            QCOMPARE(spaces, std::size_t{3});
            QVERIFY(line.find('"') == std::string::npos);
            const std::size_t rest = line.size() - host;
            QVERIFY2(rest >= 829 && rest <= 977, line.c_str());
            QVERIFY(line.ends_with(OutfitTokenText(link.token)));
            break;
          }
          case LinkKind::None:
            break;
        }
      }
    }
    QCOMPARE(lines, 175);
    QCOMPARE(withE, 2);
  }

  void tokensPassThroughUntouched() {
    bool sawEscapes = false;
    for (OutfitToken token : {OutfitToken::Form4Row2Column4, OutfitToken::Form6Row2Column3}) {
      const std::string line = BuildCommandLine(OutfitPage(8, token));
      QVERIFY(line.find(OutfitTokenText(token)) != std::string::npos);
    }
    for (std::string_view token : kOutfitTokens) {
      sawEscapes |= token.find("%25") != std::string_view::npos;
    }
    QVERIFY2(sawEscapes, "some token must carry an escaped percent sign");
  }

  void launchStartsOneProgramPerPress() {
    forms::FakeRuntime runtime;
    const Category& form6 = *CategoryByWindow("Form6");
    app::PressCellButton(form6, "Command4", runtime);
    app::PressCellButton(form6, "Command4", runtime);
    app::PressCellButton(form6, "Command8", runtime);
    QCOMPARE(runtime.starts.size(), std::size_t{3});
    QCOMPARE(runtime.starts[0].commandLine,
             BuildCommandLine(CellByButton(form6, "Command4")->link));
    QCOMPARE(runtime.starts[1].commandLine, runtime.starts[0].commandLine);
    QVERIFY(runtime.starts[0].style == forms::LaunchStyle::NormalFocus);
    QVERIFY(runtime.starts[2].style == forms::LaunchStyle::MinimizedFocus);
  }

  void cellWithoutLinkAndUnknownButtonsStartNothing() {
    forms::FakeRuntime runtime;
    app::PressCellButton(*CategoryByWindow("Form4"), "Command5", runtime);
    app::PressCellButton(*CategoryByWindow("Form4"), "Command11", runtime);
    app::PressCellButton(*CategoryByWindow("Form4"), "Picture1", runtime);
    QVERIFY(runtime.calls.empty());
  }

  void failureToStartIsNotCaughtByTheLauncher() {
    forms::FakeRuntime runtime;
    runtime.failStartProgram = "no such program";
    QVERIFY_THROWS_EXCEPTION(forms::Failure,
                             app::Launch(ItemPage(991627, ReferrerAccount::AccountA), runtime));
    QVERIFY(runtime.starts.empty());
  }
};

QTEST_GUILESS_MAIN(LinkLauncherTest)
#include "test_link_launcher.moc"
