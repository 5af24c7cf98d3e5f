# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the web app from the page:
# cmake -DPAGE=lezomat.html -DSITE=site -DRESOURCES=resources -P make_site.cmake
file(READ ${PAGE} page)
file(READ ${RESOURCES}/web/site-head.html head)
string(REPLACE "<!-- The web app adds its manifest and its service worker here. -->\n" "${head}"
       page "${page}")
file(MAKE_DIRECTORY ${SITE})
file(WRITE ${SITE}/index.html "${page}")
file(COPY_FILE ${RESOURCES}/web/manifest.webmanifest ${SITE}/manifest.webmanifest)
foreach(size 192 512)
    file(COPY_FILE ${RESOURCES}/icons/nl.lezomat.Lezomat-${size}.png ${SITE}/icon-${size}.png)
endforeach()

set(contents "")
foreach(file index.html manifest.webmanifest icon-192.png icon-512.png)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND contents ${hash})
endforeach()
string(SHA256 SITE_HASH "${contents}")
string(SUBSTRING ${SITE_HASH} 0 16 SITE_HASH)
configure_file(${RESOURCES}/web/service-worker.js ${SITE}/service-worker.js @ONLY)
