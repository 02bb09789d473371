#pragma once
// What the host's PDF tools say about a document the system wrote: qpdf's check, pdfinfo's pages and
// their sizes, pdfimages' list of embedded pictures.
#include <string>
#include <vector>

struct PdfReport {
  bool checked = false;                // qpdf --check passed
  int pages = 0;                       // pdfinfo's page count
  std::vector<std::string> pageSizes;  // "595.276 x 841.89 pts", one per page
  struct Image {
    int page, width, height;
    std::string type;  // pdfimages' encoding: "jpeg" for a DCT image
  };
  std::vector<Image> images;
  std::string log;  // everything the tools printed, for failure messages

  // "page:width x height type" per image, joined by ", ": "1:300x400 jpeg, 2:320x240 jpeg".
  std::string ImageList() const;
};

PdfReport ReadPdf(const std::wstring& pdf);
