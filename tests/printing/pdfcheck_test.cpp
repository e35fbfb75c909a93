#include "printing/core/pdfcheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace titrage;

namespace {

// A small PDF laid out the way the printer writes one: numbered objects, a
// cross-reference table giving their offsets, the trailer and "%%EOF\n".
std::string smallPdf(const std::string& pageText = "BT /F1 12 Tf (Courbe) Tj ET")
{
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>",
        "<< /Length " + std::to_string(pageText.size()) + " >>\nstream\n" + pageText +
            "\nendstream",
    };
    std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t at : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", at);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string replaced(std::string s, const std::string& from, const std::string& to)
{
    s.replace(s.find(from), from.size(), to);
    return s;
}

} // namespace

// What a full disk, a failed start or a stray writer leaves, against the
// whole document.
TEST(PdfCheck, OnlyTheWholeDocumentPasses)
{
    const std::string pdf = smallPdf();
    const std::string noEol = pdf.substr(0, pdf.size() - 1);
    // The same document with 30 bytes lost from its middle: the end is
    // intact, the objects after the hole are not where the table says.
    const std::string holed = pdf.substr(0, 60) + pdf.substr(90);
    char third[16];
    std::snprintf(third, sizeof third, "%010zu", pdf.find("3 0 obj"));
    char inside[16];
    std::snprintf(inside, sizeof inside, "%010zu", pdf.find("3 0 obj") - 3);
    struct Case {
        const char* what;
        std::string bytes;
        bool complete;
    };
    const Case cases[] = {
        {"as written", pdf, true},
        {"without the last end of line", noEol, true},
        {"ended by CR LF", noEol + "\r\n", true},
        {"empty (the printer never started)", "", false},
        {"header only", "%PDF-1.4\n", false},
        {"cut at 4096 bytes of a longer one", smallPdf(std::string(6000, 'x')).substr(0, 4096),
         false},
        {"cut before %%EOF", pdf.substr(0, pdf.size() - 4), false},
        {"bytes after %%EOF", pdf + "PK\x03\x04", false},
        {"two ends of line after %%EOF", pdf + "\n", false},
        {"a chunk missing in the middle", holed, false},
        {"not a PDF", "%!PS" + pdf.substr(4), false},
        {"startxref past the file", replaced(pdf, "startxref\n", "startxref\n9"), false},
        {"startxref not on the table", replaced(pdf, "xref\n0 5", "xreg\n0 5"), false},
        {"no trailer", replaced(pdf, "trailer", "trailex"), false},
        {"an object number that does not match", replaced(pdf, "3 0 obj", "7 0 obj"), false},
        {"an offset inside the previous object", replaced(pdf, third, inside), false},
        {"a table listing no object",
         "%PDF-1.4\nxref\n0 1\n0000000000 65535 f \ntrailer\n<< >>\nstartxref\n9\n%%EOF\n", false},
        {"a count beyond the entries", replaced(pdf, "0 5\n", "0 999999999\n"), false},
        {"an overlong number", replaced(pdf, "startxref\n", "startxref\n99999999999999999999"),
         false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isCompletePdf(c.bytes), c.complete) << c.what;
}
