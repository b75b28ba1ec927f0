#pragma once
// The two paddle shapes. A rectangular paddle mirrors the ball like a wall; a rounded one
// is the inner half of an ellipse that bulges into the field and reflects the ball about
// the ellipse's tangent, so where the ball lands steers it.

#include "play/paddle.h"

class CRectPaddle : public CPaddle {
public:
    static constexpr const char* kType = "CRectPaddle";
    CRectPaddle(CBall* ball, const LList<CObject>& parents, Side side);
    bool HasType(const str& t) const override;

    bool BallHitting() override;
    void ReflectBall() override;
    bool Paint(HDC dc) override;
};

class CRoundPaddle : public CPaddle {
public:
    static constexpr const char* kType = "CRoundPaddle";
    CRoundPaddle(CBall* ball, const LList<CObject>& parents, Side side);
    bool HasType(const str& t) const override;

    bool BallHitting() override;
    void ReflectBall() override;
    void SetPos(unsigned int pos) override;
    void Serve() override;
    bool Paint(HDC dc) override;
    RECT PaintArea(HDC measure) override;

    // `theta` (radians) brought into the half circle of directions that point from
    // `side`'s wall into the field; a direction outside it goes to the nearer bound.
    static double IntoField(double theta, Side side);

    // The direction (radians) in which a ball flying at `theta` leaves a paddle on `side`
    // whose ellipse has the half-axes a (along x) and b (along y), when the ball's centre
    // lies at (dx, dy) from the ellipse's centre: mirrored about the tangent there.
    static double Reflected(double theta, double dx, double dy, double a, double b, Side side);

    // Whether a ball whose centre lies at (dx, dy) from the centre of an ellipse with the
    // half-axes a and b comes within its radius of the ellipse's boundary.
    static bool Reaches(double dx, double dy, double a, double b);

    // The whole ellipse: the paddle doubled in thickness outward.
    Rect ellipse;
    // The pie's two radial end points, (left, top) and (right, bottom).
    Rect radials;

private:
    // Where the ball's centre lies as seen from the ellipse's centre.
    struct View {
        double dx, dy, a, b;
    };
    View Look() const;
};
