// Turns the user manual, kept as Markdown, into the HTML page the program's
// "Ajutor" > "Manual" opens in the desktop's browser. Run by the build:
//     manual_html ManualLumivaret.md ManualLumivaret.html
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextDocument>
#include <cstdio>

namespace
{

// Readable in any browser: a column of text, tables with rules.
const char* const pageStyle = R"(<style>
body { font-family: "Liberation Sans", Arial, sans-serif; max-width: 46em; margin: 2em auto; padding: 0 1em;
       line-height: 1.45; color: #222; }
h1, h2 { color: #7a1f2b; }
table { border-collapse: collapse; }
td, th { border: 1px solid #bbb; padding: 0.3em 0.6em; }
pre { background: #f4f1ea; padding: 0.6em; }
</style>
)";

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("Folosire: manual_html MANUAL.md MANUAL.html\n", stderr);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Nu pot citi %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Manualul programului Lumivaret"));
    QString html = document.toHtml();
    html.replace(QStringLiteral("</head>"), QString::fromUtf8(pageStyle) + QStringLiteral("</head>"));
    html.replace(QStringLiteral("<html>"), QStringLiteral("<html lang=\"ro\">"));
    // The editor's font and size on <body> would override the page's style.
    html.replace(QRegularExpression(QStringLiteral("<body style=\"[^\"]*\">")), QStringLiteral("<body>"));

    QFile target(QString::fromLocal8Bit(argv[2]));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) || target.write(html.toUtf8()) < 0) {
        std::fprintf(stderr, "Nu pot scrie %s\n", argv[2]);
        return 1;
    }
    return 0;
}
