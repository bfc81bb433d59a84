/* The texts that name the product's maker, its web host and its accounts:
 * one place for the resource script and the code. The project itself is the
 * author; no account exists, and the account line says so. */
#ifndef CRV_PRODUCT_TEXTS_H
#define CRV_PRODUCT_TEXTS_H

#define CRV_PRODUCT_HOST "http://corvane.example"
#define CRV_SDK_PAGE CRV_PRODUCT_HOST "/html/en/crvsdk.html"
#define CRV_PRODUCT_PAGE CRV_PRODUCT_HOST "/html/en/corvane.html"
#define CRV_DONATION_PAGE CRV_PRODUCT_HOST "/html/en/donate.html"
#define CRV_HOME_PAGE CRV_PRODUCT_HOST "/"

#define CRV_AUTHOR_NAME "The HTML Corvane project"
#define CRV_RIGHTS_NOTICE "(c) The HTML Corvane project"
#define CRV_ACCOUNT_NUMBER "none yet (placeholder)"
#define CRV_AUTHOR_MAIL "info at corvane dot example (info@corvane.example)"
#define CRV_DESCRIPTION \
    "HTML Corvane shrinks HTML pages, JavaScript sources and style sheets in " \
    "place, so that web sites load faster and need less space. The library is " \
    "free to use; a donation helps its further development and is warmly welcome."
#define CRV_DONATION_CAPTION "Donate online"

#define CRV_VERSION_LINE "SDK version: 0.4"

#endif
