#include "shell/maker_site.h"

#include "app_identity.h"

namespace tolvi::shell {

QString HomePageAddress() {
    return QStringLiteral("http://") + QLatin1String(identity::kMakerWebHost);
}

QString VatCalculatorAddress() {
    return HomePageAddress() + QStringLiteral("/VAT-Calculator");
}

}  // namespace tolvi::shell
