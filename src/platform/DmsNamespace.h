#pragma once

// Host part of the XML namespace of the dealer management system's messages:
// every SOAP body to and from the DMS carries xmlns="http://<host>/SRP".
constexpr char kDmsNamespaceHost[] = "dms.yaq2.example";
