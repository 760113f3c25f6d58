// The limited XML reader every XML from outside goes through: input beyond
// length, nesting depth or attributes per element is refused like malformed
// XML, so is any document type declaration (no entity is ever expanded), and
// what a real message looks like still passes.

#include "platform/XmlLimits.h"
#include "platform/XmlNames.h"
#include "support/TestMain.h"

#include <QDomDocument>
#include <QtTest>

namespace {

QString Nested(int depth)
{
    return QStringLiteral("<a>").repeated(depth) + QStringLiteral("</a>").repeated(depth);
}

// One element with that many attributes, after an optional first one.
QString WithAttributes(int count, const QString &first = QString())
{
    QString xml = QStringLiteral("<r ") + first;
    for (int i = 0; i < count; ++i)
        xml += QStringLiteral(" a%1=\"v\"").arg(i);
    return xml + QStringLiteral("/>");
}

// A document of exactly that many characters.
QString OfLength(qsizetype length)
{
    const QString head = QStringLiteral("<r>");
    const QString tail = QStringLiteral("</r>");
    return head + QString(length - head.size() - tail.size(), QLatin1Char(' ')) + tail;
}

// A document whose one entity of that many characters is referenced that
// many times: small on the wire, a thousand times larger once expanded.
QString EntityExpansion(int entityLength, int references)
{
    return QStringLiteral("<!DOCTYPE r [<!ENTITY e \"%1\">]><r>%2</r>")
        .arg(QString(entityLength, QLatin1Char('x')), QStringLiteral("&e;").repeated(references));
}

} // namespace

class TestXmlLimits : public QObject
{
    Q_OBJECT
private slots:
    void limits_data();
    void limits();
    void nilElementsAreNotSent_data();
    void nilElementsAreNotSent();
};

void TestXmlLimits::limits_data()
{
    const XmlLimits limits;
    QTest::addColumn<QString>("xml");
    QTest::addColumn<bool>("accepted");
    // clang-format off
    QTest::newRow("session answer") << QStringLiteral("<?xml version=\"1.0\"?><sessiondata><return-code>00</return-code></sessiondata>") << true;
    QTest::newRow("prefix without declaration") << QStringLiteral("<ns:sessiondata><ns:x/></ns:sessiondata>") << true;
    QTest::newRow("nesting at the limit") << Nested(limits.maxDepth) << true;
    QTest::newRow("nesting one deeper") << Nested(limits.maxDepth + 1) << false;
    QTest::newRow("nesting 100000 deep") << Nested(100000) << false;
    QTest::newRow("nesting deep after a closed branch") << QStringLiteral("<r><b/>") + Nested(limits.maxDepth) + QStringLiteral("</r>") << false;
    QTest::newRow("length at the limit") << OfLength(limits.maxLength) << true;
    QTest::newRow("length one over") << OfLength(limits.maxLength + 1) << false;
    QTest::newRow("attributes at the limit") << WithAttributes(limits.maxAttributes) << true;
    QTest::newRow("attributes one over") << WithAttributes(limits.maxAttributes + 1) << false;
    QTest::newRow("80000 attributes") << WithAttributes(80000) << false;
    QTest::newRow("\">\" in a value does not end the tag") << WithAttributes(limits.maxAttributes, QStringLiteral("x='>'")) << false;
    QTest::newRow("\"=\" in values and texts is no attribute") << QStringLiteral("<r a=\"%1\">%1</r>").arg(QString(500, QLatin1Char('='))) << true;
    QTest::newRow("malformed") << QStringLiteral("<sessiondata><oops>") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("DTD with an entity") << QStringLiteral("<!DOCTYPE r [<!ENTITY e \"text\">]><r>&e;</r>") << false;
    QTest::newRow("DTD with an unused entity") << QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"text\">]><r/>") << false;
    QTest::newRow("DTD naming an outside file") << QStringLiteral("<!DOCTYPE r SYSTEM \"r.dtd\"><r/>") << false;
    QTest::newRow("DTD without declarations") << QStringLiteral("<!-- c --><!DOCTYPE r><r/>") << false;
    QTest::newRow("entity referenced a thousand times") << EntityExpansion(1000, 1000) << false;
    QTest::newRow("DTD text in a comment and in CDATA") << QStringLiteral("<r><!-- <!DOCTYPE r> --><![CDATA[<!DOCTYPE html>]]></r>") << true;
    QTest::newRow("character references") << QStringLiteral("<r a=\"&#65;&amp;\">&lt;&#x42;</r>") << true;
    // clang-format on
}

void TestXmlLimits::limits()
{
    QFETCH(QString, xml);
    QFETCH(bool, accepted);
    QString error;
    QCOMPARE(CheckXml(xml, &error), accepted);
    QCOMPARE(error.isEmpty(), accepted);
    QDomDocument doc;
    QCOMPARE(LoadXmlDocument(xml, &doc), accepted);
    QCOMPARE(doc.documentElement().isNull(), !accepted);
}

// An optional element a generated SOAP stack writes as nil is read as not
// sent, whatever prefix the schema-instance namespace has; a "nil" of
// another namespace, or one that is false, leaves the element.
void TestXmlLimits::nilElementsAreNotSent_data()
{
    QTest::addColumn<QString>("children");
    QTest::addColumn<QString>("kept"); // local names of the children left
    const QString xsi = QStringLiteral("xmlns:%1=\"http://www.w3.org/2001/XMLSchema-instance\"");
    // clang-format off
    QTest::newRow("xsi:nil true")                  << "<t:a>1</t:a><t:b xsi:nil=\"true\"/>"                              << "a";
    QTest::newRow("nil 1 under another prefix")    << "<t:a i:nil=\"1\" " + xsi.arg("i") + "/><t:b>2</t:b>"              << "b";
    QTest::newRow("nil false stays")               << "<t:a xsi:nil=\"false\">1</t:a>"                                  << "a";
    QTest::newRow("nil of another namespace stays") << "<t:a o:nil=\"true\" xmlns:o=\"urn:other\">1</t:a>"            << "a";
    QTest::newRow("nested nil goes, its parent stays") << "<t:a><t:netPrice>1</t:netPrice><t:vat xsi:nil=\"true\"/></t:a>" << "a";
    // clang-format on
}

void TestXmlLimits::nilElementsAreNotSent()
{
    QFETCH(QString, children);
    QDomDocument doc;
    QVERIFY(LoadXmlDocument(
        QStringLiteral("<t:r xmlns:t=\"urn:t\" "
                       "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">%1</t:r>")
            .arg(children),
        &doc));
    QDomElement root = doc.documentElement();
    XmlRemoveNilElements(root);
    QStringList kept;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        kept << XmlLocalName(e);
    QTEST(kept.join(QLatin1Char(',')), "kept");
    QVERIFY(XmlChild(XmlChild(root, QStringLiteral("a")), QStringLiteral("vat")).isNull());
}

YAQ_TEST_GUILESS_MAIN(TestXmlLimits)
#include "tst_xmllimits.moc"
