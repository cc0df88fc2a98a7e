// Closing frmSoukatu2: entries that differ from the line last opened or
// saved are asked about (Cancel keeps them), anything else closes at once.

#include "frm_soukatu2_fixture.h"
#include "messages.h"

#include <functional>

namespace tabulon::test {
namespace {

using FrmSoukatu2CloseTest = FrmSoukatu2Test;

struct CloseCase {
    const char* what;
    std::function<void()> work;
    bool asks;
};

TEST_F(FrmSoukatu2CloseTest, AsksOnlyWhenEntriesAreNotSaved) {
    const auto addLine = [this] {
        TypeLine(QStringLiteral("138016"), 100);
        Click("cmdSave");
    };
    const auto openLine = [this, addLine] {
        addLine();
        OpenLine(LineOf(QStringLiteral("138016")));
    };
    const CloseCase cases[] = {
        {"nothing typed", [] {}, false},
        {"a name typed", [this] { TypeInto(Box("txtName"), QStringLiteral("国保")); }, true},
        {"a whole line typed", [this] { TypeLine(QStringLiteral("138016"), 100); }, true},
        {"the line added", addLine, false},
        {"a stored line opened", openLine, false},
        {"a stored line opened and changed",
         [this, openLine] {
             openLine();
             TypeInto(Box("txtTensuu", 3), QStringLiteral("5"));
         },
         true},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.what);
        gDb->Execute(QStringLiteral("DELETE * FROM T_総括表明細"));
        Open();
        c.work();
        const QString name = Box("txtName")->text();
        messages.shown.clear();
        messages.answers = {MsgAnswer::Cancel};
        Button("cmdClose")->setFocus();
        QTest::keyClick(Button("cmdClose"), Qt::Key_Return);
        if (!c.asks) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_TRUE(screen->isHidden());
            continue;
        }
        ASSERT_EQ(messages.Texts(), QStringList{msg::kConfirmCloseUnsaved});
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::OkCancel);
        EXPECT_TRUE(screen->isVisible());
        EXPECT_EQ(Box("txtName")->text(), name);
        // The window's own close asks the same; OK closes.
        screen->close();
        EXPECT_EQ(messages.shown.size(), 2u);
        EXPECT_TRUE(screen->isHidden());
    }
}

} // namespace
} // namespace tabulon::test
