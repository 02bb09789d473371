#include "support/PdfFacts.h"

#include <sstream>

#include "support/HostTool.h"

std::string PdfReport::ImageList() const {
  std::string list;
  for (const Image& image : images) {
    if (!list.empty()) list += ", ";
    list += std::to_string(image.page) + ":" + std::to_string(image.width) + "x" + std::to_string(image.height) + " " +
            image.type;
  }
  return list;
}

PdfReport ReadPdf(const std::wstring& pdf) {
  PdfReport report;
  std::string host = ShellQuoted(HostPathOf(pdf));
  HostRun check = RunHost("/usr/bin/qpdf --check " + host);
  report.checked = check.ok();
  report.log = check.output;
  HostRun info = RunHost("/usr/bin/pdfinfo -f 1 -l 999 " + host);
  std::istringstream lines(info.output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("Pages:", 0) == 0) report.pages = std::stoi(line.substr(6));
    size_t at = line.find(" size: ");
    if (line.rfind("Page ", 0) == 0 && at != std::string::npos) {
      std::string size = line.substr(at + 7);
      size.erase(0, size.find_first_not_of(' '));
      report.pageSizes.push_back(size.substr(0, size.find(" pts") + 4));
    }
  }
  HostRun images = RunHost("/usr/bin/pdfimages -list " + host);
  std::istringstream rows(images.output);
  for (std::string row; std::getline(rows, row);) {
    std::istringstream fields(row);
    PdfReport::Image image{};
    std::string num, kind, color, comp, bpc, enc;
    if (fields >> image.page >> num >> kind >> image.width >> image.height >> color >> comp >> bpc >> enc) {
      image.type = enc;
      report.images.push_back(image);
    }
  }
  report.log += info.output + images.output;
  return report;
}
