#pragma once
// A vehicle handed to the identification: its VIN or its type key, where it
// comes from, and the hand-entered fields of the head row that come with it.

#include <QString>
#include <optional>

struct CGivenVehicle
{
    enum Origin
    {
        // Typed into the VIN or the type-key field.
        Typed,
        // The vehicle of the command line. A first registration or mileage
        // given with it stays with it, also through its identification.
        Start,
        // Found by the vehicle search: it brings its first registration,
        // mileage and plate, kept while its VIN is identified; the basket is
        // asked as for a typed VIN.
        Search,
        // The DMS confirmed the vehicle shown: its mileage (and the
        // customer-specific-price flag) are taken.
        DmsShown,
        // The DMS pushed another vehicle, or another first registration of
        // the one shown, and the adviser took it: it is shown from the home
        // page, its VIN identified unless the head row shows it already, and
        // once identified it brings its first registration, mileage and
        // plate. The adviser answered the DMS's question about the basket:
        // it is not asked again.
        DmsNew
    };

    static CGivenVehicle TypedVin(const QString &vin)
    {
        CGivenVehicle typed;
        typed.vin = vin;
        return typed;
    }
    static CGivenVehicle TypedTypeKey(const QString &typeKey)
    {
        CGivenVehicle typed;
        typed.byTypeKey = true;
        typed.typeKey = typeKey;
        return typed;
    }

    Origin origin = Typed;
    // Identified by its type key (typed only), else by its VIN.
    bool byTypeKey = false;
    // The VIN: 17 characters, or the seven of a short VIN at the start.
    QString vin;
    QString typeKey;
    // The head row shows this VIN already: it is not identified again.
    bool vinShown = false;
    // The fields that come with it; one not given is the identification's
    // to fill.
    std::optional<QString> firstRegistration;
    std::optional<QString> mileage;
    std::optional<QString> plate;
    // The DMS's customer-specific-price flag: -1 none, else 0 or 1.
    int customerSpecificPrice = -1;
};
