#include "heroart.h"

#include "pixels.h"

#include <QTransform>

namespace art {
namespace {

const QColor outlineColour(38, 26, 24);
const QColor skin(250, 204, 164);
const QColor skinShade(222, 162, 122);
const QColor cheek(240, 150, 140);
const QColor eye(32, 30, 64);
const QColor hair(150, 86, 38);
const QColor hairDark(104, 56, 26);
const QColor hairLight(190, 120, 60);
const QColor tunic(46, 104, 200);
const QColor tunicDark(30, 70, 150);
const QColor tunicLight(96, 150, 236);
const QColor belt(112, 70, 30);
const QColor buckle(244, 204, 64);
const QColor pants(96, 74, 52);
const QColor pantsDark(70, 52, 36);
const QColor boot(74, 44, 28);
const QColor bootLight(110, 70, 44);

// Arm seen from the front or back: sleeve then hand; reach moves the hand down (+1, swung
// towards the viewer) or up (-1, swung away).
void frontArm(QImage& img, int x, int reach) {
    rect(img, x, 13, 2, 5 + reach, tunicDark);
    put(img, x, 13, tunic);
    rect(img, x, 18 + reach, 2, 2, skin);
    put(img, x + 1, 19 + reach, skinShade);
}

// Leg seen from the front or back; lift raises the foot.
void frontLeg(QImage& img, int x, int lift) {
    rect(img, x, 22, 3, 4 - lift, pants);
    vline(img, x + 2, 22, 25 - lift, pantsDark);
    rect(img, x, 26 - lift, 3, 2, boot);
    hline(img, x, x + 1, 26 - lift, bootLight);
}

void frontTorso(QImage& img, bool back) {
    rect(img, 9, 13, 10, 9, tunic);
    vline(img, 9, 13, 21, tunicLight);
    vline(img, 18, 13, 21, tunicDark);
    hline(img, 9, 18, 21, tunicDark);
    hline(img, 9, 18, 19, belt);
    if (!back) {
        hline(img, 12, 15, 13, skinShade); // collar opening
        put(img, 13, 14, skinShade);
        put(img, 14, 14, skinShade);
        hline(img, 13, 14, 19, buckle);
    } else {
        hline(img, 10, 17, 13, tunicDark); // hood fold at the back
    }
}

void frontHead(QImage& img, bool back) {
    rect(img, 12, 12, 4, 1, skinShade); // neck
    rect(img, 9, 3, 10, 9, skin);
    for (int x : {9, 18}) { // rounded corners of the head
        put(img, x, 3, Qt::transparent);
        put(img, x, 11, Qt::transparent);
    }
    // ears
    rect(img, 8, 7, 1, 2, skinShade);
    rect(img, 19, 7, 1, 2, skinShade);
    // hair
    hline(img, 11, 16, 2, hair);
    hline(img, 10, 17, 3, hair);
    hline(img, 9, 18, 4, hair);
    if (back) {
        rect(img, 9, 5, 10, 6, hair);
        hline(img, 10, 17, 11, hair);
        // strands falling down the back of the head
        for (int x : {11, 14, 16})
            vline(img, x, 5 + (x % 2), 10, hairDark);
        vline(img, 12, 4, 7, hairLight);
        put(img, 10, 11, hairDark);
        put(img, 17, 11, hairDark);
        hline(img, 12, 15, 3, hairLight);
        return;
    }
    hline(img, 12, 15, 3, hairLight);
    for (int x : {9, 10, 11, 14, 17, 18})
        put(img, x, 5, hair);
    put(img, 10, 6, hair);
    put(img, 17, 6, hair);
    vline(img, 9, 6, 8, hairDark);
    vline(img, 18, 6, 8, hairDark);
    // face
    rect(img, 11, 7, 1, 2, eye);
    rect(img, 16, 7, 1, 2, eye);
    put(img, 10, 9, cheek);
    put(img, 17, 9, cheek);
    hline(img, 13, 14, 10, skinShade);
}

// step 0 stands; step 1 lifts the left leg and swings the right arm forward.
QImage frontOrBack(bool back, int step) {
    QImage img = blank(heroWidth, heroHeight);
    const int lift = step == 1 ? 1 : 0;
    frontLeg(img, 10, lift);
    frontLeg(img, 15, 0);
    frontTorso(img, back);
    const int swing = step == 1 ? 1 : 0;
    // Seen from the back the arm that comes forward moves away from the viewer.
    frontArm(img, 7, back ? swing : -swing);
    frontArm(img, 19, back ? -swing : swing);
    frontHead(img, back);
    outline(img, outlineColour);
    return img;
}

// Leg seen from the side, columns per row from the hip down, foot pointing right.
void sideLeg(QImage& img, const int (&xs)[4], bool near) {
    const QColor p = near ? pants : pantsDark;
    for (int r = 0; r < 4; ++r)
        hline(img, xs[r], xs[r] + 2, 22 + r, p);
    const int foot = xs[3];
    hline(img, foot, foot + 3, 26, near ? boot : shade(boot, -14));
    hline(img, foot, foot + 3, 27, near ? boot : shade(boot, -14));
    if (near)
        hline(img, foot, foot + 1, 26, bootLight);
}

// step 0 stands, 1 steps with the near leg forward, 2 with the far leg forward.
QImage rightFacing(int step) {
    QImage img = blank(heroWidth, heroHeight);
    static const int stand[4] = {12, 12, 12, 12};
    static const int forward[4] = {14, 15, 15, 16};
    static const int backward[4] = {12, 11, 11, 10};
    const int(&farLeg)[4] = step == 0 ? stand : step == 1 ? backward : forward;
    const int(&nearLeg)[4] = step == 0 ? stand : step == 1 ? forward : backward;
    sideLeg(img, farLeg, false);
    sideLeg(img, nearLeg, true);
    if (step == 0)
        vline(img, 14, 22, 25, pantsDark); // the gap between the two legs
    // torso
    rect(img, 10, 13, 8, 9, tunic);
    vline(img, 17, 13, 21, tunicLight);
    vline(img, 10, 13, 21, tunicDark);
    hline(img, 10, 17, 21, tunicDark);
    hline(img, 10, 17, 19, belt);
    put(img, 17, 19, buckle);
    // head
    rect(img, 12, 12, 4, 1, skinShade);
    rect(img, 10, 3, 9, 9, skin);
    put(img, 10, 11, Qt::transparent);
    put(img, 18, 11, Qt::transparent);
    put(img, 19, 8, skin); // nose
    hline(img, 11, 16, 2, hair);
    hline(img, 10, 18, 3, hair);
    hline(img, 10, 18, 4, hair);
    hline(img, 10, 15, 5, hair);
    put(img, 17, 5, hair);
    rect(img, 10, 6, 4, 4, hair);
    rect(img, 10, 10, 2, 1, hair);
    hline(img, 12, 16, 3, hairLight);
    vline(img, 11, 5, 9, hairDark);
    rect(img, 13, 7, 1, 2, skinShade); // ear
    rect(img, 16, 7, 1, 2, eye);
    put(img, 17, 9, cheek);
    put(img, 17, 10, skinShade);
    // near arm, swinging against the near leg
    if (step == 0) {
        rect(img, 13, 13, 2, 5, tunicDark);
        put(img, 14, 13, tunic);
        rect(img, 13, 18, 2, 2, skin);
    } else if (step == 1) {
        rect(img, 13, 13, 2, 2, tunicDark);
        rect(img, 12, 15, 2, 2, tunicDark);
        rect(img, 11, 17, 2, 1, tunicDark);
        rect(img, 10, 18, 2, 2, skin);
    } else {
        rect(img, 13, 13, 2, 2, tunicDark);
        rect(img, 14, 15, 2, 2, tunicDark);
        rect(img, 15, 17, 2, 1, tunicDark);
        rect(img, 16, 18, 2, 2, skin);
    }
    outline(img, outlineColour);
    return img;
}

// The hero lying on his back, eyes crossed out.
QImage dead() {
    QImage body = frontOrBack(false, 0);
    for (int y = 6; y <= 9; ++y)
        for (int x = 10; x <= 17; ++x)
            if (body.pixelColor(x, y) == eye)
                body.setPixelColor(x, y, skin);
    for (int ex : {10, 15}) {
        put(body, ex, 7, eye);
        put(body, ex + 2, 7, eye);
        put(body, ex + 1, 8, eye);
        put(body, ex, 9, eye);
        put(body, ex + 2, 9, eye);
    }
    hline(body, 13, 14, 10, skinShade);
    // Shorten the legs by two rows so that the lying figure keeps a margin on both sides.
    QImage shorter = blank(heroWidth, heroHeight);
    for (int y = 0; y < heroHeight; ++y) {
        const int from = y < 23 ? y : y + 2;
        for (int x = 0; x < heroWidth && from < heroHeight; ++x)
            shorter.setPixelColor(x, y, body.pixelColor(x, from));
    }
    // Rotate a quarter turn so the head lies on the left, then set it on the ground: the
    // figure spans columns 6..21 and rows 1..26 of the upright picture.
    const QImage lying = shorter.transformed(QTransform().rotate(-90), Qt::FastTransformation);
    QImage img = blank(heroWidth, heroHeight);
    for (int y = 0; y < lying.height(); ++y)
        for (int x = 0; x < lying.width(); ++x) {
            const QColor c = lying.pixelColor(x, y);
            if (c.alpha() > 0)
                put(img, x, y + 6, c);
        }
    return img;
}

} // namespace

QList<NamedImage> heroSprites() {
    QList<NamedImage> out;
    const QImage back[3] = {frontOrBack(true, 0), frontOrBack(true, 1),
                            mirrored(frontOrBack(true, 1))};
    const QImage front[3] = {frontOrBack(false, 0), frontOrBack(false, 1),
                             mirrored(frontOrBack(false, 1))};
    const QImage right[3] = {rightFacing(0), rightFacing(1), rightFacing(2)};
    for (int i = 0; i < 3; ++i)
        out.append({QStringLiteral("dos%1").arg(i + 1), back[i]});
    for (int i = 0; i < 3; ++i)
        out.append({QStringLiteral("face%1").arg(i + 1), front[i]});
    for (int i = 0; i < 3; ++i)
        out.append({QStringLiteral("droite%1").arg(i + 1), right[i]});
    for (int i = 0; i < 3; ++i)
        out.append({QStringLiteral("gauche%1").arg(i + 1), mirrored(right[i])});
    out.append({QStringLiteral("mort"), dead()});
    return out;
}

} // namespace art
