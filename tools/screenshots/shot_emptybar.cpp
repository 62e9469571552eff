// The bar's button panel of a new user: no definitions yet, and the hint
// on how to add the first work item.
#include "app/workbuttons.h"
#include "app/workbuttonswidget.h"
#include "shotregistry.h"
#include "tracking/appswitch.h"

#include <QVBoxLayout>

namespace zanpel::shots {
namespace {

// The panel with the state it draws; both go with the window.
class TEmptyPanel : public QWidget {
public:
    TEmptyPanel() : m_buttons(m_definitions) {
        setWindowTitle(QStringLiteral("Zanpel"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(3, 3, 3, 3);
        layout->addWidget(new TWorkButtonsWidget(m_buttons, this));
        resize(165, 360);
    }

private:
    TAppSwitch m_definitions;
    TWorkButtons m_buttons;
};

TShot EmptyBar(TShotContext&) {
    return {std::make_unique<TEmptyPanel>(), {}};
}

const TShotRegistrar registrar("empty-bar", EmptyBar);

} // namespace
} // namespace zanpel::shots
