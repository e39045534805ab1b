// trasso-guide-html: renders the user guide from Markdown into one HTML page,
// the help document that F1 opens in the desktop's browser. Images keep their
// relative paths, so the page is installed beside its screenshots folder.
//   usage: trasso-guide-html GUIDE.md GUIDE.html
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextDocument>
#include <cstdio>

namespace {
// Qt writes plain tables without rules; a guide full of key and tool tables
// reads better with them. The body's font is Qt's widget font, small in a
// browser, so the browser's own takes its place.
constexpr const char* kStyle =
    "<style type=\"text/css\">\n"
    "body { max-width: 50em; margin: 1em auto; padding: 0 1em; }\n"
    "body { font-family: sans-serif !important; font-size: medium !important; }\n"
    "table { border-collapse: collapse; }\n"
    "th, td { border: 1px solid #aaa; }\n"
    "pre { background: #f4f4f4; }\n"
    "img { max-width: 100%; }\n"
    "</style>\n";

QString ReadText(const char* path) {
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The first level-one heading names the page.
QString TitleOf(const QString& markdown) {
  const QRegularExpression heading(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption);
  return heading.match(markdown).captured(1).trimmed();
}

QString Render(const QString& markdown) {
  QTextDocument document;
  document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  document.setMetaInformation(QTextDocument::DocumentTitle, TitleOf(markdown));
  QString html = document.toHtml();
  html.replace(QStringLiteral("</head>"), QString::fromLatin1(kStyle) + QStringLiteral("</head>"));
  return html;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: trasso-guide-html GUIDE.md GUIDE.html\n", stderr);
    return 2;
  }
  // Text layout needs the font database, never a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString markdown = ReadText(argv[1]);
  if (markdown.isEmpty()) {
    std::fprintf(stderr, "trasso-guide-html: cannot read %s\n", argv[1]);
    return 1;
  }
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      out.write(Render(markdown).toUtf8()) < 0 || !out.flush()) {
    std::fprintf(stderr, "trasso-guide-html: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
